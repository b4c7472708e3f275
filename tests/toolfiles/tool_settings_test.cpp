// The tool's settings file: language and font with their fallbacks.
#include "tool_settings.h"

#include <gtest/gtest.h>

namespace xtool::files {
namespace {

struct SettingsCase {
  const char* ini;
  ToolSettings expected;
};

TEST(ToolSettings, ReadsEachKeyWithItsFallback) {
  const SettingsCase cases[] = {
      {"", {"0", "Tahoma", 10, 0}},
      {"[Other]\nLanguages=Japanese\n", {"0", "Tahoma", 10, 0}},
      {"[Setup]\nLanguages=Japanese\nFontName=Noto Sans CJK JP\nFontSize=12\nCharaSet=128\n",
       {"Japanese", "Noto Sans CJK JP", 12, 128}},
      {"[setup]\nlanguages=japanese\n", {"japanese", "Tahoma", 10, 0}},  // kept as written
      {"[Setup]\nFontSize=abc\nCharaSet=\n", {"0", "Tahoma", 10, 0}},
      {"[Setup]\nFontSize=12pt\nCharaSet=1 2\n", {"0", "Tahoma", 10, 0}},
      {"[Setup]\nFontSize= 14 \nCharaSet=\"$80\"\n", {"0", "Tahoma", 14, 128}},
      {"[Setup]\nFontSize=99999999999\nCharaSet=-1\n", {"0", "Tahoma", 10, -1}},
      {"[Setup]\nFontName=\n", {"0", "", 10, 0}},
  };
  for (const SettingsCase& c : cases) {
    const ToolSettings got = read_tool_settings(Profile::parse(c.ini));
    EXPECT_EQ(got.language, c.expected.language) << c.ini;
    EXPECT_EQ(got.font_name, c.expected.font_name) << c.ini;
    EXPECT_EQ(got.font_size, c.expected.font_size) << c.ini;
    EXPECT_EQ(got.chara_set, c.expected.chara_set) << c.ini;
  }
}

TEST(ToolSettings, IntegerParsing) {
  const std::pair<const char*, std::optional<int>> cases[] = {
      {"0", 0},
      {"+7", 7},
      {"-7", -7},
      {"007", 7},
      {"2147483647", 2147483647},
      {"-2147483648", -2147483647 - 1},
      {"$ff", 255},
      {"-$10", -16},
      {"$7FFFFFFF", 2147483647},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"$", std::nullopt},
      {"2147483648", std::nullopt},
      {"$80000000", std::nullopt},
      {"+-1", std::nullopt},
      {"--1", std::nullopt},
      {"$-1", std::nullopt},
      {"0x10", std::nullopt},
      {"1.5", std::nullopt},
      {"1e3", std::nullopt},
      {"١٢", std::nullopt},  // non-ASCII digits
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_EQ(parse_int(text), expected) << '"' << text << '"';
  }
}

}  // namespace
}  // namespace xtool::files
