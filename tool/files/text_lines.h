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
    std::size_t end = 0;  // a plain scan: find_first_of tests each byte against the set
    while (end < text.size() && text[end] != '\n' && text[end] != '\r') ++end;
    on_line(text.substr(0, end));
    if (end == text.size()) return;
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    text.remove_prefix(end + (crlf ? 2 : 1));
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
