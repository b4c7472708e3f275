// A group box of radio buttons whose items are added at run time (from the language file) and
// which is read and set by item position, -1 meaning no item selected.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QList>

class QGridLayout;
class QRadioButton;

class TRadioGroup : public QGroupBox {
  Q_OBJECT
  Q_PROPERTY(int columns READ columns WRITE setColumns)

 public:
  explicit TRadioGroup(QWidget* parent = nullptr);

  void addItem(const QString& text);
  int count() const { return static_cast<int>(buttons_.size()); }
  QString itemText(int index) const;
  QRadioButton* button(int index) const;
  int itemIndex() const;  // -1 when no item is selected
  // Selects the item; an index outside the items leaves none selected.
  void setItemIndex(int index);

  int columns() const { return columns_; }
  void setColumns(int columns);

 Q_SIGNALS:
  // The user picked an item (not sent for setItemIndex).
  void clicked();

 private:
  void relayout();

  QButtonGroup group_;
  QGridLayout* grid_;
  QList<QRadioButton*> buttons_;
  int columns_ = 1;
};
