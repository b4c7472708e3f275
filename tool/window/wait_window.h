// The borderless "please wait" window shown over long device sequences.
#pragma once

#include <QWidget>

#include "ui_wait_window.h"

class TfrmWait : public QWidget, public Ui::TfrmWait {
  Q_OBJECT

 public:
  explicit TfrmWait(QWidget* parent = nullptr);
  void showWithText(const QString& text);
  // Progress of a sequence of known length; a count of 0 hides the bar.
  void setProgress(int done, int count);
};
