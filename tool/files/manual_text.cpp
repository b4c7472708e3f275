#include "manual_text.h"

#include <climits>

#include "text_lines.h"

namespace xtool::files {

std::vector<std::string> split_lines(std::string_view utf8_text) {
  std::vector<std::string> lines;
  for_each_line(utf8_text, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

int find_line(const std::vector<std::string>& lines, std::string_view needle) {
  if (needle.empty()) return -1;
  for (std::size_t i = 0; i < lines.size() && i <= INT_MAX; ++i) {
    if (lines[i].find(needle) != std::string::npos) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace xtool::files
