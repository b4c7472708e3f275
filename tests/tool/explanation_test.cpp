// The explanation tree leads into the manual: the node's search text, the first line holding it,
// scrolled to the top of the memo on the explanation page.
#include <QScrollBar>

#include "manual_text.h"
#include "profile.h"
#include "window_fixture.h"

namespace tooltest {
namespace {

struct Manual {
  std::vector<std::string> lines;
  xtool::files::Profile lang;
  explicit Manual(const ProgramFolder& f)
      : lines(xtool::files::split_lines(f.read("ContentsXERV3_E.txt"))),
        lang(xtool::files::Profile::parse(f.read("English.nlf"))) {}
  int line_of(const char* key) const {
    return xtool::files::find_line(lines, lang.get("Contents", key, ""));
  }
};

int first_visible_line(TfrmMain& w) { return w.memExplanation->verticalScrollBar()->value(); }

void select(TfrmMain& w, QTreeWidgetItem* node) {
  w.TreeView1->setCurrentItem(node);
  QCoreApplication::processEvents();
}

TEST(Explanation, TopLevelNodesScrollToTheirHeadings) {
  ProgramFolder folder;
  Manual manual(folder);
  Tool tool(folder);
  TfrmMain& w = tool.w();
  const struct {
    int node;
    const char* key;
  } cases[] = {{4, "Contents26"}, {6, "Contents24"}, {1, "Contents21"}};
  for (const auto& c : cases) {
    w.PageSetInfo->setCurrentIndex(0);
    select(w, w.TreeView1->topLevelItem(c.node));
    const int line = manual.line_of(c.key);
    ASSERT_GT(line, 0) << c.key;
    EXPECT_EQ(w.PageSetInfo->currentWidget(), w.tabExplanation);
    EXPECT_EQ(first_visible_line(w), line) << c.key;
    EXPECT_EQ(w.memExplanation->textCursor().blockNumber(), line);
    EXPECT_EQ(w.memExplanation->textCursor().positionInBlock(), 0);
    EXPECT_EQ(w.Label1->text(), "-1");
    EXPECT_EQ(w.Label2->text(), QString::number(c.node));
  }
}

TEST(Explanation, CommandNodesFollowTheModel) {
  ProgramFolder folder;
  Manual manual(folder);
  Tool tool(folder);
  TfrmMain& w = tool.w();
  QTreeWidgetItem* command3 = w.TreeView1->topLevelItem(5)->child(3);
  QTreeWidgetItem* command5 = w.TreeView1->topLevelItem(5)->child(5);
  tool.dispatch->CurrentModel = "XERV1";
  select(w, command3);  // an XERV3-only command: the XERV1 manual has no place for it
  EXPECT_EQ(w.PageSetInfo->currentIndex(), 0);
  EXPECT_EQ(first_visible_line(w), 0);
  EXPECT_EQ(w.Label1->text(), "5");
  EXPECT_EQ(w.Label2->text(), "3");
  select(w, command5);
  EXPECT_EQ(first_visible_line(w), manual.line_of("Contents5"));
  tool.dispatch->CurrentModel = "XERV3";
  select(w, command3);
  EXPECT_EQ(w.PageSetInfo->currentWidget(), w.tabExplanation);
  EXPECT_EQ(first_visible_line(w), manual.line_of("Contents3"));
  // Node 5 itself has no text of its own: nothing moves.
  select(w, w.TreeView1->topLevelItem(5));
  EXPECT_EQ(first_visible_line(w), manual.line_of("Contents3"));
}

TEST(Explanation, ATextInTheMiddleOfALineMatchesThatLine) {
  ProgramFolder folder;
  Manual manual(folder);
  const int heading = manual.line_of("Contents22");
  ASSERT_GT(heading, 0);
  const std::string& line = manual.lines[heading];
  const std::string middle = line.substr(3, line.size() - 5);
  ASSERT_EQ(xtool::files::find_line(manual.lines, middle), heading);
  // A Contents section ahead of the file's own wins, as the first section of a name does.
  folder.write("English.nlf", "[Contents]\nContents20=" + middle + "\n" + folder.read("English.nlf"));
  Tool tool(folder);
  select(tool.w(), tool.w().TreeView1->topLevelItem(0));
  EXPECT_EQ(first_visible_line(tool.w()), heading);
}

}  // namespace
}  // namespace tooltest
