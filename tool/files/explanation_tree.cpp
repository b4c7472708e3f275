#include "explanation_tree.h"

#include <climits>
#include <cstddef>

#include "text_lines.h"

namespace xtool::files {
namespace {

std::size_t indentation(std::string_view line) {
  std::size_t depth = 0;
  while (depth < line.size() && is_blank(line[depth])) ++depth;
  return depth;
}

// Why a line of `depth` cannot be placed, with `open_levels` levels open to it; empty if it can.
std::string depth_error(std::size_t depth, std::size_t open_levels, bool first) {
  if (depth >= open_levels) {
    return first ? "is indented, but the first line must not be"
                 : "is more than one level deeper than the line before it";
  }
  if (depth > static_cast<std::size_t>(kMaxTreeDepth)) {
    return "is deeper than level " + std::to_string(kMaxTreeDepth) + ", the deepest a tree may go";
  }
  return {};
}

}  // namespace

TreeLoad parse_tree(std::string_view utf8_text) {
  TreeLoad load;
  // open[d] is the list that a node of depth d joins: the roots, then the children of the last
  // node at each level above. A node joins the list of its own level, so only the lists below it
  // can move when that list grows, and those are replaced right after.
  std::vector<std::vector<TreeNode>*> open{&load.roots};
  int line_number = 0;
  for_each_line(utf8_text, [&](std::string_view line) {
    if (!load.ok) return;
    if (line_number < INT_MAX) ++line_number;
    const std::string_view text = trim_blanks(line);
    if (text.empty()) return;
    const std::size_t depth = indentation(line);
    const std::string error = depth_error(depth, open.size(), load.roots.empty());
    if (!error.empty()) {
      load.ok = false;
      load.error_line = line_number;
      load.error = "line " + std::to_string(line_number) + " " + error;
      return;
    }
    std::vector<TreeNode>& siblings = *open[depth];
    siblings.push_back(TreeNode{std::string(text), {}});
    open.resize(depth + 1);
    open.push_back(&siblings.back().children);
  });
  return load;
}

}  // namespace xtool::files
