#include "up_down.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

TUpDown::TUpDown(QWidget* parent)
    : QWidget(parent), up_(new QToolButton(this)), down_(new QToolButton(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  for (auto* b : {up_, down_}) {
    b->setAutoRepeat(true);
    b->setFixedSize(18, 12);
    layout->addWidget(b);
  }
  up_->setArrowType(Qt::UpArrow);
  down_->setArrowType(Qt::DownArrow);
  up_->setAccessibleName(QStringLiteral("Up"));
  down_->setAccessibleName(QStringLiteral("Down"));
  connect(up_, &QToolButton::clicked, this, [this] { step(1); });
  connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
}

void TUpDown::setRange(int min, int max) {
  min_ = min;
  max_ = max;
}

void TUpDown::step(int by) {
  if (!edit_) return;
  bool ok = false;
  const int now = edit_->text().trimmed().toInt(&ok);
  const int next = ok ? std::clamp(now + by, min_, max_) : min_;
  edit_->setText(QString::number(next));
}
