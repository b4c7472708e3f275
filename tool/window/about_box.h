// The about box: the program icon, product name, version and maker notice.
#pragma once

#include <QDialog>

#include "ui_about_box.h"

class TAboutBox : public QDialog, public Ui::TAboutBox {
  Q_OBJECT

 public:
  explicit TAboutBox(QWidget* parent = nullptr);
};
