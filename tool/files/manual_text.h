// The manual text: its lines, and the search that the explanation tree scrolls to.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace xtool::files {

// The lines of a text, split on \n, \r\n or \r; a final line without a line end is kept, and a
// final line end makes no empty line after it.
std::vector<std::string> split_lines(std::string_view utf8_text);

// Index of the first line that contains `needle` anywhere; -1 when none or when `needle` is
// empty.
int find_line(const std::vector<std::string>& lines, std::string_view needle);

}  // namespace xtool::files
