// The small up and down arrows beside a number edit: each press steps the edit's number within
// the range (the edit keeps whatever the user types).
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

class TUpDown : public QWidget {
  Q_OBJECT

 public:
  explicit TUpDown(QWidget* parent = nullptr);
  void setBuddy(QLineEdit* edit) { edit_ = edit; }
  void setRange(int min, int max);
  void step(int by);

 private:
  QLineEdit* edit_ = nullptr;
  QToolButton* up_;
  QToolButton* down_;
  int min_ = 0;
  int max_ = 100;
};
