#include "wait_window.h"

#include <QGuiApplication>
#include <QScreen>

TfrmWait::TfrmWait(QWidget* parent) : QWidget(parent, Qt::Tool | Qt::FramelessWindowHint) {
  setupUi(this);
  setFixedSize(442, 123);
  setAutoFillBackground(true);
}

void TfrmWait::showWithText(const QString& text) {
  Label1->setText(text);
  setProgress(0, 0);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    move(screen->availableGeometry().center() - rect().center());
  }
  show();
  raise();
}

void TfrmWait::setProgress(int done, int count) {
  prgWait->setVisible(count > 0);
  if (count > 0) {
    prgWait->setRange(0, count);
    prgWait->setValue(done);
  }
}
