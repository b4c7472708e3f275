// Decoding file bytes: UTF-8 kept, older files converted from their code page.
#include "text_decode.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "file_fixture.h"
#include "profile.h"

namespace xtool::files {
namespace {

constexpr std::string_view kReplacement = "\uFFFD";

TEST(DecodeText, ValidUtf8IsKeptWithoutItsByteOrderMark) {
  const std::string text = "caf\u00e9 \u20ac \u3057\u3070\u3089\u304f \U0001F600";
  for (const Legacy legacy : {Legacy::ShiftJis, Legacy::Windows1252}) {
    EXPECT_EQ(decode_text(text, legacy), text);
    EXPECT_EQ(decode_text("\xEF\xBB\xBF" + text, legacy), text);
    EXPECT_EQ(decode_text("a\xEF\xBB\xBF", legacy), "a\xEF\xBB\xBF");  // only a leading one
    EXPECT_EQ(decode_text("", legacy), "");
  }
}

TEST(DecodeText, Utf8CheckRefusesMalformedSequences) {
  const std::pair<std::string_view, bool> cases[] = {
      {"plain", true},
      {"\xC3\xA9", true},
      {"\xF4\x8F\xBF\xBF", true},   // U+10FFFF
      {"\xC3", false},              // cut short
      {"\xC0\xAF", false},          // overlong '/'
      {"\xE0\x80\xAF", false},      // overlong
      {"\xED\xA0\x80", false},      // surrogate
      {"\xF4\x90\x80\x80", false},  // past U+10FFFF
      {"\x80", false},              // lone continuation
      {"\xE9t\xE9", false},         // Windows-1252 "été"
  };
  for (const auto& [bytes, valid] : cases) {
    EXPECT_EQ(is_valid_utf8(bytes), valid) << testing::PrintToString(std::string(bytes));
  }
}

TEST(DecodeText, ShiftJisFileLoadsTheSameTextsAsItsUtf8Copy) {
  const std::string utf8 =
      "[Messages]\n"
      "Wait=\u3057\u3070\u3089\u304f\u304a\u5f85\u3061\u304f\u3060\u3055\u3044\n"  // shibaraku...
      "[frmMain]\n"
      "GrbComPort=\u901a\u4fe1\u30d7\u30ed\u30c8\u30b3\u30eb \u8a2d\u5b9a\n"
      "Sign=\u2460 \uff5e \u8868\n";  // CP932 extras and a trail byte equal to '\'
  const std::string sjis = xtest::encode(utf8, "CP932");
  ASSERT_NE(sjis, utf8);
  EXPECT_EQ(decode_text(sjis, Legacy::ShiftJis), utf8);

  const xtest::TempDir dir;
  const auto from_sjis = Profile::load(dir.write("sjis.nlf", sjis), Legacy::ShiftJis);
  const auto from_utf8 = Profile::load(dir.write("utf8.nlf", utf8), Legacy::ShiftJis);
  ASSERT_TRUE(from_sjis && from_utf8);
  for (const auto& [section, key] :
       {std::pair{"Messages", "Wait"}, std::pair{"frmMain", "GrbComPort"},
        std::pair{"frmMain", "Sign"}}) {
    EXPECT_EQ(from_sjis->get(section, key, "0"), from_utf8->get(section, key, "0")) << key;
    EXPECT_NE(from_sjis->get(section, key, "0"), "0");
  }
  EXPECT_EQ(from_sjis->get("frmMain", "GrbComPort", "0"),
            "\u901a\u4fe1\u30d7\u30ed\u30c8\u30b3\u30eb \u8a2d\u5b9a");
}

TEST(DecodeText, Windows1252BytesBecomeTheirCharacters) {
  EXPECT_EQ(decode_text("caf\xE9 \x80 5\xB0", Legacy::Windows1252), "caf\u00e9 \u20ac 5\u00b0");
  const std::string expected = "Bad " + std::string(kReplacement) + " byte \u00e9";
  EXPECT_EQ(decode_text("Bad \x81 byte \xE9", Legacy::Windows1252), expected);  // 0x81: unused
}

TEST(DecodeText, UnconvertibleShiftJisBytesBecomeReplacementCharacters) {
  const std::string r(kReplacement);
  EXPECT_EQ(decode_text("ok\x82", Legacy::ShiftJis), "ok" + r);  // lead byte cut off at the end
  EXPECT_EQ(decode_text("\x82 z", Legacy::ShiftJis), r + " z");  // not a trail byte
  const std::string out =
      decode_text("\xFF\xFF" + xtest::encode("\u8a2d", "CP932"), Legacy::ShiftJis);
  EXPECT_TRUE(out.ends_with("\u8a2d")) << out;
}

TEST(DecodeText, AnyBytesGiveValidUtf8) {
  std::mt19937 random(12345);
  std::uniform_int_distribution<int> byte(0, 255);
  for (int round = 0; round < 500; ++round) {
    std::string bytes(static_cast<std::size_t>(round % 64), '\0');
    for (char& c : bytes) c = static_cast<char>(byte(random));
    for (const Legacy legacy : {Legacy::ShiftJis, Legacy::Windows1252}) {
      EXPECT_TRUE(is_valid_utf8(decode_text(bytes, legacy)));
    }
  }
}

}  // namespace
}  // namespace xtool::files
