#include "radio_group.h"

#include <QGridLayout>
#include <QRadioButton>

TRadioGroup::TRadioGroup(QWidget* parent) : QGroupBox(parent), grid_(new QGridLayout(this)) {
  group_.setExclusive(true);
  grid_->setContentsMargins(6, 2, 6, 2);
  grid_->setVerticalSpacing(0);
  connect(&group_, &QButtonGroup::buttonClicked, this, [this] { Q_EMIT clicked(); });
}

void TRadioGroup::addItem(const QString& text) {
  auto* b = new QRadioButton(text, this);
  b->setObjectName(objectName() + QStringLiteral("_item%1").arg(buttons_.size()));
  group_.addButton(b, static_cast<int>(buttons_.size()));
  buttons_.append(b);
  relayout();
}

QString TRadioGroup::itemText(int index) const {
  return index >= 0 && index < count() ? buttons_[index]->text() : QString();
}

QRadioButton* TRadioGroup::button(int index) const {
  return index >= 0 && index < count() ? buttons_[index] : nullptr;
}

int TRadioGroup::itemIndex() const { return group_.checkedId(); }

void TRadioGroup::setItemIndex(int index) {
  if (index >= 0 && index < count()) {
    buttons_[index]->setChecked(true);
    return;
  }
  // An exclusive group cannot uncheck its last checked button by itself.
  group_.setExclusive(false);
  for (auto* b : buttons_) b->setChecked(false);
  group_.setExclusive(true);
}

void TRadioGroup::setColumns(int columns) {
  columns_ = columns < 1 ? 1 : columns;
  relayout();
}

// Items run down the first column, then the next, as many rows as it takes.
void TRadioGroup::relayout() {
  for (auto* b : buttons_) grid_->removeWidget(b);
  const int rows = (count() + columns_ - 1) / columns_;
  for (int i = 0; i < count(); ++i) grid_->addWidget(buttons_[i], i % rows, i / rows);
}
