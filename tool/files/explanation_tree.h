// The explanation tree file: one node per line, its depth given by its indentation.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace xtool::files {

struct TreeNode {
  std::string text;
  std::vector<TreeNode> children;
};

struct TreeLoad {
  std::vector<TreeNode> roots;
  bool ok = true;
  int error_line = 0;  // 1-based line of the first error when !ok
  std::string error;   // English text of the error
};

// The deepest level a tree may have (roots are level 0). A file cannot otherwise bound it, and
// every level costs a step of recursion when the tree is destroyed or shown.
inline constexpr int kMaxTreeDepth = 63;

// One node per line; the node's depth is its number of leading tab or blank characters. A line
// one level deeper than the line before makes a child of it, the same level a sibling, a
// shallower line a sibling of the ancestor at its level. A line more than one level deeper than
// the line before (for the first line: deeper than 0), or deeper than kMaxTreeDepth, ends the
// load with an error and keeps the nodes read so far. All-blank lines are skipped. A node's
// text is its line without the indentation and trailing blanks.
TreeLoad parse_tree(std::string_view utf8_text);

}  // namespace xtool::files
