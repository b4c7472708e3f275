#include "port_finder.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

using xtool::ports::Access;
using xtool::ports::PortEntry;

namespace {

QString qs(const std::string& s) {
  return QString::fromStdString(s);
}

// Why an entry may not be opened, as the user reads it; empty for one that may.
QString mark(const PortEntry& e, bool japanese) {
  switch (e.access) {
    case Access::Ok:
      return {};
    case Access::NoPermission:
      // Joining root's group is no advice to give: that device is for the administrator.
      if (e.group.empty() || e.group == "root")
        return japanese ? QStringLiteral("アクセス権がありません (管理者のデバイス)")
                        : QStringLiteral("no permission (the device is the administrator's)");
      return japanese
                 ? QStringLiteral(
                       "アクセス権がありません: グループ %1 に参加して、ログインし直してください")
                       .arg(qs(e.group))
                 : QStringLiteral("no permission: join the group %1, then log in again")
                       .arg(qs(e.group));
    case Access::Missing:
      return japanese ? QStringLiteral("見つかりません (リンク先のデバイスがありません)")
                      : QStringLiteral("missing (the link leads to no device)");
    case Access::NotATerminal:
      return japanese ? QStringLiteral("シリアルポートではありません")
                      : QStringLiteral("not a serial port");
  }
  return {};
}

}  // namespace

QString PortFinder::entryText(const PortEntry& e, bool japanese) {
  QString text =
      QStringLiteral("COM%1  →  %2").arg(e.com).arg(qs(e.device.empty() ? e.path : e.device));
  if (!e.usb_id.empty()) text += QStringLiteral("  (%1)").arg(qs(e.usb_id));
  if (const QString m = mark(e, japanese); !m.isEmpty()) text += QStringLiteral("  —  ") + m;
  return text;
}

PortFinder::PortFinder(const std::vector<PortEntry>& entries, bool japanese, int current,
                       QWidget* parent)
    : QDialog(parent),
      intro_(new QLabel(this)),
      list_(new QListWidget(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
  setObjectName(QStringLiteral("PortFinder"));
  setWindowTitle(japanese ? QStringLiteral("ポートの検索") : QStringLiteral("Find a port"));
  intro_->setWordWrap(true);
  intro_->setText(
      entries.empty()
          ? (japanese ? QStringLiteral("シリアルポートが見つかりません。")
                      : QStringLiteral("No serial port found."))
          : (japanese
                 ? QStringLiteral(
                       "このツールで開けるポートです。選んだポートの番号がポート番号に入ります。")
                 : QStringLiteral("The ports this tool can open. The number of the "
                                  "one you pick goes into the port number box.")));
  intro_->setBuddy(list_);
  list_->setObjectName(QStringLiteral("lstPorts"));
  list_->setAccessibleName(japanese ? QStringLiteral("シリアルポート一覧")
                                    : QStringLiteral("Serial ports"));

  QListWidgetItem* selected = nullptr;
  for (const PortEntry& e : entries) {
    auto* item = new QListWidgetItem(entryText(e, japanese), list_);
    item->setData(Qt::UserRole, e.com);
    item->setToolTip(qs(e.path));
    if (e.access != Access::Ok) {
      // Greyed and not selectable; its text keeps the reason for screen readers too.
      item->setFlags(item->flags() & ~(Qt::ItemIsEnabled | Qt::ItemIsSelectable));
    } else if (selected == nullptr || e.com == current) {
      selected = item;  // the first that may be opened, or the one in the edit
    }
  }
  if (selected != nullptr) list_->setCurrentItem(selected);
  // Wide enough for the longest line (adapter names are long), within reason.
  list_->setMinimumWidth(std::clamp(list_->sizeHintForColumn(0) + 32, 420, 960));

  buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
  buttons_->button(QDialogButtonBox::Cancel)
      ->setText(japanese ? QStringLiteral("キャンセル") : QStringLiteral("Cancel"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(intro_);
  layout->addWidget(list_);
  layout->addWidget(buttons_);

  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(list_, &QListWidget::currentItemChanged, this, &PortFinder::updateOk);
  connect(list_, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem* item) {
    if (item != nullptr && (item->flags() & Qt::ItemIsEnabled)) accept();
  });
  updateOk();
}

std::optional<int> PortFinder::chosen() const {
  const QListWidgetItem* item = list_->currentItem();
  if (item == nullptr || !(item->flags() & Qt::ItemIsEnabled)) return std::nullopt;
  return item->data(Qt::UserRole).toInt();
}

void PortFinder::updateOk() {
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(chosen().has_value());
}

std::optional<int> PortFinder::pick(QWidget* parent, const std::vector<PortEntry>& entries,
                                    bool japanese, int current) {
  PortFinder finder(entries, japanese, current, parent);
  if (finder.exec() != QDialog::Accepted) return std::nullopt;
  return finder.chosen();
}

void PortFinder::findInto(QWidget* parent, QLineEdit* edit, bool japanese) {
  const auto entries = xtool::ports::list_ports(xtool::ports::default_folders());
  if (const auto com = pick(parent, entries, japanese, edit->text().toInt()))
    edit->setText(QString::number(*com));
}

QToolButton* PortFinder::createButton(QWidget* parent, bool japanese) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QStringLiteral("btnFindPort"));
  button->setText(QStringLiteral("…"));
  button->setToolTip(japanese ? QStringLiteral("開けるポートの一覧")
                              : QStringLiteral("List the ports this tool can open"));
  button->setAccessibleName(japanese ? QStringLiteral("ポートの検索")
                                     : QStringLiteral("Find a port"));
  return button;
}
