// Small text helpers shared by the readers.
#pragma once

#include <cstddef>
#include <string_view>

namespace xtool::files {

// Calls on_line(line) for each line of `text`, split on \n, \r\n or \r, without the line ends.
// A final line without a line end is kept; a final line end makes no empty line after it.
template <typename OnLine>
void for_each_line(std::string_view text, OnLine&& on_line) {
  while (!text.empty()) {
    const std::size_t end = text.find_first_of("\r\n");
    if (end == std::string_view::npos) {
      on_line(text);
      return;
    }
    on_line(text.substr(0, end));
    const std::size_t ending = text.compare(end, 2, "\r\n") == 0 ? 2 : 1;
    text.remove_prefix(end + ending);
  }
}

inline bool is_blank(char c) {
  return c == ' ' || c == '\t';
}

inline std::string_view trim_blanks(std::string_view s) {
  while (!s.empty() && is_blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && is_blank(s.back())) s.remove_suffix(1);
  return s;
}

}  // namespace xtool::files
