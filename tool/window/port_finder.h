// The port finder: a list of the COM numbers the tool can open, where each leads and why the
// user may not open some; picking one gives its number for the port edit.
#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "port_list.h"

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QToolButton;

class PortFinder : public QDialog {
  Q_OBJECT

 public:
  // `current` is the number in the port edit, selected when it is listed and may be opened.
  PortFinder(const std::vector<xtool::ports::PortEntry>& entries, bool japanese, int current,
             QWidget* parent = nullptr);

  // The number of the entry selected, nothing when none is (or it may not be opened).
  std::optional<int> chosen() const;

  // Shows the finder over `entries`; the number picked, nothing on Cancel.
  static std::optional<int> pick(QWidget* parent,
                                 const std::vector<xtool::ports::PortEntry>& entries, bool japanese,
                                 int current = 0);
  // Lists the ports the libraries would open now, shows the finder and puts the number picked
  // into `edit`; nothing else changes.
  static void findInto(QWidget* parent, QLineEdit* edit, bool japanese);
  // The small button that goes beside the port number's up and down arrows.
  static QToolButton* createButton(QWidget* parent, bool japanese);
  // The line of one entry, with its mark when it may not be opened.
  static QString entryText(const xtool::ports::PortEntry& entry, bool japanese);

 private:
  void updateOk();

  QLabel* intro_;
  QListWidget* list_;
  QDialogButtonBox* buttons_;
};
