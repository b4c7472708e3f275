// The manual text: its lines and the search that the explanation tree scrolls to.
#include "manual_text.h"

#include <gtest/gtest.h>

namespace xtool::files {
namespace {

using Lines = std::vector<std::string>;

TEST(ManualText, SplitsOnEveryKindOfLineEnd) {
  const std::pair<const char*, Lines> cases[] = {
      {"", {}},
      {"one", {"one"}},
      {"one\n", {"one"}},
      {"one\ntwo", {"one", "two"}},
      {"a\r\nb\rc\nd", {"a", "b", "c", "d"}},
      {"a\n\nb\n\n", {"a", "", "b", ""}},
      {"\n", {""}},
      {"\r\n\r\n", {"", ""}},
      {"a\n\rb", {"a", "", "b"}},  // LF then CR: two line ends
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(split_lines(text), expected) << testing::PrintToString(std::string(text));
  }
}

TEST(ManualText, FindsTheFirstLineContainingTheText) {
  const Lines manual = {"1. Connecting", "", "Set the line with SH (send header).",
                        "SH again later",
                        "\u901a\u4fe1\u30d7\u30ed\u30c8\u30b3\u30eb \u8a2d\u5b9a"};
  const std::pair<const char*, int> cases[] = {
      {"1. Connecting", 0},
      {"line with SH", 2},  // in the middle of a line
      {"SH", 2},            // the first of several
      {"header).", 2},      // at the end
      {"\u30d7\u30ed\u30c8\u30b3\u30eb", 4},
      {"connecting", -1},  // case matters
      {"nowhere", -1},
      {"", -1},  // an empty text matches nothing, not even the empty line
  };
  for (const auto& [needle, expected] : cases) {
    EXPECT_EQ(find_line(manual, needle), expected) << '"' << needle << '"';
  }
  EXPECT_EQ(find_line({}, "x"), -1);
}

}  // namespace
}  // namespace xtool::files
