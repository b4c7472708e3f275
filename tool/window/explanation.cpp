// The explanation tree and the manual it leads into.
#include <QScrollBar>
#include <QTextBlock>

#include "manual_text.h"
#include "read_file.h"
#include "text_decode.h"
#include "tfrm_main.h"

using xtool::files::Legacy;

namespace {

void add_nodes(const std::vector<xtool::files::TreeNode>& nodes, QTreeWidgetItem* parent,
               QTreeWidget* tree) {
  for (const auto& node : nodes) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(tree);
    item->setText(0, QString::fromStdString(node.text));
    add_nodes(node.children, item, tree);
  }
}

int position_of(QTreeWidgetItem* item) {
  if (!item) return -1;
  if (QTreeWidgetItem* parent = item->parent()) return parent->indexOfChild(item);
  return item->treeWidget() ? item->treeWidget()->indexOfTopLevelItem(item) : -1;
}

// The search text of a top-level node, by its position; none for node 5, which holds the
// command nodes.
const char* top_level_key(int position) {
  switch (position) {
    case 0: return "Contents20";
    case 1: return "Contents21";
    case 2: return "Contents22";
    case 3: return "Contents23";
    case 4: return "Contents26";
    case 6: return "Contents24";
    case 7: return "Contents25";
    default: return nullptr;
  }
}

// The search text of a command node, by its position. The XERV1 protocol lacks the commands
// at positions 0 to 4 and 11, so its manual has no section for them.
const char* command_key(int position, bool xerv3) {
  static constexpr const char* keys[] = {"Contents0", "Contents1", "Contents2", "Contents3",
                                         "Contents4", "Contents5", "Contents6", "Contents7",
                                         "Contents8", "Contents9", "ContentsA", "ContentsB",
                                         "ContentsC"};
  if (position < 0 || position > 12) return nullptr;
  if (!xerv3 && (position < 5 || position == 11)) return nullptr;
  return keys[position];
}

}  // namespace

bool TfrmMain::loadExplanationTree() {
  const bool japanese = d_.japanese();
  const char* name = japanese ? "ExplanationXERV_J.txt" : "ExplanationXERV3_E.txt";
  const std::string path = xtool::files::find_file(env_.data_dirs, name);
  const auto bytes = path.empty() ? std::nullopt : xtool::files::read_file_bytes(path);
  if (!bytes) {
    showMessageBox(QStringLiteral("The explanation file %1 cannot be read.").arg(name));
    return false;
  }
  const auto tree = xtool::files::parse_tree(
      xtool::files::decode_text(*bytes, japanese ? Legacy::ShiftJis : Legacy::Windows1252));
  if (!tree.ok) {
    showMessageBox(QStringLiteral("The explanation file %1 is broken: %2")
                       .arg(QString::fromStdString(path), QString::fromStdString(tree.error)));
    return false;
  }
  add_nodes(tree.roots, nullptr, TreeView1);
  return true;
}

bool TfrmMain::loadManual() {
  const bool japanese = d_.japanese();
  const char* name = japanese ? "ContentsXERV_J.txt" : "ContentsXERV3_E.txt";
  const std::string path = xtool::files::find_file(env_.manual_dirs, name);
  manual_.setFileName(QString::fromStdString(path));
  if (path.empty() || !manual_.open(QIODevice::ReadOnly)) {
    showMessageBox(QStringLiteral("The manual %1 cannot be opened.").arg(name));
    return false;
  }
  const QByteArray bytes = manual_.read(static_cast<qint64>(xtool::files::kMaxFileBytes));
  const auto text = xtool::files::decode_text(std::string_view(bytes.constData(), bytes.size()),
                                              japanese ? Legacy::ShiftJis : Legacy::Windows1252);
  QStringList lines;
  for (const auto& line : xtool::files::split_lines(text)) lines << QString::fromStdString(line);
  memExplanation->setPlainText(lines.join(QLatin1Char('\n')));
  return true;
}

void TfrmMain::TreeView1Change(QTreeWidgetItem* node) {
  if (!node) return;
  const char* key = nullptr;
  if (!node->parent()) key = top_level_key(position_of(node));
  // Any node whose parent stands at position 5 among its siblings is a command node.
  if (node->parent() && position_of(node->parent()) == 5) {
    key = command_key(position_of(node), d_.xerv3());
  }
  const QString search = key ? contentsText(key) : QString();

  if (!search.isEmpty()) {
    QTextDocument* doc = memExplanation->document();
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
      if (!block.text().contains(search)) continue;
      PageSetInfo->setCurrentWidget(tabExplanation);
      QTextCursor top(doc);
      memExplanation->setTextCursor(top);
      memExplanation->verticalScrollBar()->setValue(0);
      QTextCursor at(block);
      memExplanation->setTextCursor(at);
      memExplanation->verticalScrollBar()->setValue(block.blockNumber());
      memExplanation->setFocus();
      break;
    }
  }

  Label1->setText(QString::number(node->parent() ? position_of(node->parent()) : -1));
  Label2->setText(QString::number(position_of(node)));
  Label4->setText(node->text(0));
  Label3->setText(QString::number(memExplanation->blockCount()));
}
