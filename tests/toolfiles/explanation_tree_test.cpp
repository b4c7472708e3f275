// The explanation tree: depth from indentation, the one-level rule, and its errors.
#include "explanation_tree.h"

#include <gtest/gtest.h>

#include <string>

namespace xtool::files {
namespace {

// The tree written back one node per line, two blanks per level, for comparing shapes.
void outline(const std::vector<TreeNode>& nodes, int depth, std::string& out) {
  for (const TreeNode& node : nodes) {
    out += std::string(static_cast<std::size_t>(depth) * 2, ' ') + node.text + "\n";
    outline(node.children, depth + 1, out);
  }
}

std::string outline(const TreeLoad& load) {
  std::string out;
  outline(load.roots, 0, out);
  return out;
}

struct TreeCase {
  const char* name;
  const char* file;
  const char* expected_outline;
};

TEST(ExplanationTree, BuildsTheTreeFromIndentation) {
  const TreeCase cases[] = {
      {"children and siblings", "A\n\tA1\n\tA2\nB\n", "A\n  A1\n  A2\nB\n"},
      {"blank or tab, one character a level", "A\n B1\n \tB2\n\t C\n", "A\n  B1\n    B2\n    C\n"},
      {"back two levels", "A\n\tB\n\t\tC\n\tD\n\t\tE\nF\n", "A\n  B\n    C\n  D\n    E\nF\n"},
      {"blank lines skipped, line ends of every kind", "A\r\n\r\n \t \n\tB  \t\r\rC\n",
       "A\n  B\nC\n"},
      {"text keeps inner blanks", "Send range  (SJ)\n", "Send range  (SJ)\n"},
      {"empty file", "", ""},
  };
  for (const TreeCase& c : cases) {
    const TreeLoad load = parse_tree(c.file);
    EXPECT_TRUE(load.ok) << c.name << ": " << load.error;
    EXPECT_EQ(outline(load), c.expected_outline) << c.name;
  }
}

TEST(ExplanationTree, ShallowerLineIsASiblingOfTheAncestorAtItsLevel) {
  const TreeLoad load = parse_tree("A\n\tB\n\t\tC\n\t\t\tD\n\tE\nF\n");
  ASSERT_TRUE(load.ok) << load.error;
  ASSERT_EQ(load.roots.size(), 2u);
  const TreeNode& a = load.roots[0];
  ASSERT_EQ(a.children.size(), 2u);
  EXPECT_EQ(a.children[1].text, "E");
  EXPECT_EQ(a.children[0].children.at(0).children.at(0).text, "D");
  EXPECT_EQ(load.roots[1].text, "F");
}

struct ErrorCase {
  const char* name;
  const char* file;
  int error_line;
  const char* error;
  const char* kept_outline;
};

TEST(ExplanationTree, TooDeepALineEndsTheLoadKeepingWhatWasRead) {
  const ErrorCase cases[] = {
      {"two levels deeper", "A\n\tB\n\t\t\tC\nD\n", 3,
       "line 3 is more than one level deeper than the line before it", "A\n  B\n"},
      {"error line counts skipped blank lines", "A\n\n\n\t\tB\n", 4,
       "line 4 is more than one level deeper than the line before it", "A\n"},
      {"first line indented", "\tA\nB\n", 1, "line 1 is indented, but the first line must not be",
       ""},
      {"first text line indented after blanks", "\n  \n A\n", 3,
       "line 3 is indented, but the first line must not be", ""},
  };
  for (const ErrorCase& c : cases) {
    const TreeLoad load = parse_tree(c.file);
    EXPECT_FALSE(load.ok) << c.name;
    EXPECT_EQ(load.error_line, c.error_line) << c.name;
    EXPECT_EQ(load.error, c.error) << c.name;
    EXPECT_EQ(outline(load), c.kept_outline) << c.name;
  }
}

// A staircase of `lines` lines, each one level deeper than the one before.
std::string staircase(int lines) {
  std::string file;
  for (int depth = 0; depth < lines; ++depth) {
    file += std::string(static_cast<std::size_t>(depth), '\t') + "n\n";
  }
  return file;
}

TEST(ExplanationTree, DepthIsCappedSoNoFileCanExhaustTheStack) {
  const TreeLoad deepest = parse_tree(staircase(kMaxTreeDepth + 1));
  EXPECT_TRUE(deepest.ok) << deepest.error;

  const TreeLoad too_deep = parse_tree(staircase(kMaxTreeDepth + 2));
  EXPECT_FALSE(too_deep.ok);
  EXPECT_EQ(too_deep.error_line, kMaxTreeDepth + 2);
  EXPECT_EQ(too_deep.error, "line 65 is deeper than level 63, the deepest a tree may go");
  const TreeNode* node = &too_deep.roots.at(0);
  int levels = 1;
  for (; !node->children.empty(); node = &node->children[0]) ++levels;
  EXPECT_EQ(levels, kMaxTreeDepth + 1);  // everything above the refused line is kept

  // The deepest staircase that fits in the largest file read (16 MiB) has about 5,800 levels.
  const TreeLoad hostile = parse_tree(staircase(5000));
  EXPECT_FALSE(hostile.ok);
  EXPECT_EQ(hostile.error_line, kMaxTreeDepth + 2);
}

}  // namespace
}  // namespace xtool::files
