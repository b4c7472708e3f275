// Reply characters read as numbers the way the handlers need them, and the texts that are not.
#include <gtest/gtest.h>

#include "reply_text.h"

namespace {

using xtool::ConversionError;

TEST(ReplyText, NumbersAndNonNumbers) {
  EXPECT_EQ(xtool::DecimalValue("255"), 255);
  EXPECT_EQ(xtool::DecimalValue(" 7 "), 7);
  EXPECT_EQ(xtool::DecimalValue("-3"), -3);
  EXPECT_EQ(xtool::HexValue("0A"), 10);
  EXPECT_EQ(xtool::HexValue("ff"), 255);
  for (const char* bad : {"", " ", "A", "1A", "+", "--1", "99999999999", "3 4"}) {
    EXPECT_THROW(xtool::DecimalValue(bad), ConversionError) << bad;
  }
  for (const char* bad : {"", "G0", "-1", "0x1"}) {
    EXPECT_THROW(xtool::HexValue(bad), ConversionError) << bad;
  }
  try {
    xtool::DigitAt("1A", 2);
    ADD_FAILURE();
  } catch (const ConversionError& e) {
    EXPECT_EQ(e.text(), "'A' is not a valid integer value");
  }
}

TEST(ReplyText, PartsOfShortRepliesAreShortOrEmpty) {
  EXPECT_EQ(xtool::ReplyPart("SHFF1", 2, 2), "HF");
  EXPECT_EQ(xtool::ReplyPart("SHF", 2, 5), "HF");
  EXPECT_EQ(xtool::ReplyPart("SHF", 4, 1), "");
  EXPECT_EQ(xtool::ReplyPart("SHF", 0, 1), "");
  EXPECT_EQ(xtool::DigitAt("1103125", 7), 5);
  EXPECT_THROW(xtool::DigitAt("11", 3), ConversionError);
  const char full[3] = {'A', 'B', 'C'};  // no terminating zero: the buffer ends it
  EXPECT_EQ(xtool::ReplyText(full, 3), "ABC");
  EXPECT_EQ(xtool::ReplyText("AB\0C", 4), "AB");
}

}  // namespace
