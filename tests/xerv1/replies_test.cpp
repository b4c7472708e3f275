// The reply table of the XERV1 profile: which letters it knows, what each copies into the
// caller's buffer, the data-return check and the EEPROM data.
#include "replies.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "eeprom.h"
#include "hex_pattern.h"
#include "link_profile.h"
#include "result.h"

namespace xerv1 {
namespace {

using devlink::kMismatch;
using devlink::kUnknownReply;
using xtest::hex_pattern;

struct Decoded {
  int result;
  std::string out;
};

// Classifies `text` by the profile's table and decodes it as the command waiting under `request`
// would, into a buffer of exactly `size` bytes (so a sanitizer sees any write past it).
Decoded decode(std::string_view text, devlink::Store& store, std::size_t size = 17,
               int request = 10) {
  const std::vector<std::uint8_t> bytes(text.begin(), text.end());
  const devlink::ReplyRule* rule = devlink::classify_text(link_profile(), bytes);
  if (rule == nullptr || rule->decode == nullptr) return {-1, ""};
  std::vector<char> out(size, '#');
  out.back() = '\0';
  const int r = rule->decode(devlink::ReplyEnv{bytes, request, out.data(), store, size});
  return {r, std::string(out.data())};
}

struct ReplyCase {
  std::string text;
  int result;
  std::string out;
};

TEST(Replies, CopyTheirCharactersAfterTheLetter) {
  const ReplyCase cases[] = {
      {"MABCx", 0, "ABC"},
      {"e1FF", 0, "1FF"},
      {"b3", 0, "3"},
      {"c1", 0, "1"},
      {"h0", 0, "0"},
      {"o2", 0, "2"},
      {"g1100000", 0, "1100000"},
      {"f1413020304", 0, "1413020304"},
      // The frame format's modes alone, when they call for no user codes.
      {"f1410", 0, "1410"},
      {"f1413", kUnknownReply, "1413"},  // separator mode 3 takes its user code in XERV1
      {"f1411", kUnknownReply, "1411"},
      {"f2410", kUnknownReply, "2410"},
      {"f1510", kUnknownReply, "1510"},
      {"f14100", kUnknownReply, "14100"},
      {"k0x12345678yy", 0, "12345678"},
      {"k5ABCDEFGHIJKLzz", 0, "ABCDEFGHIJKL"},
      {"VR1.23    20261210", 0, "1.23    20261210"},
      // Short answers copy what came and give 909.
      {"MA", kUnknownReply, "A"},
      {"k0x1234", kUnknownReply, "1234"},
      {"k", kUnknownReply, ""},
      {"VR1.2", kUnknownReply, "1.2"},
  };
  for (const auto& c : cases) {
    devlink::Store store;
    const Decoded d = decode(c.text, store);
    EXPECT_EQ(d.result, c.result) << c.text;
    EXPECT_EQ(d.out, c.out) << c.text;
  }
}

TEST(Replies, UnknownLettersHaveNoRule) {
  devlink::Store store;
  for (const char* text : {"Z123", "NG105", "CR0ABC", "V1"}) {
    EXPECT_EQ(decode(text, store).result, -1) << text;
  }
}

TEST(Replies, AnAnswerThatDoesNotFitTheBufferLeavesItUntouched) {
  devlink::Store store;
  // A version answer to a command whose buffer holds the 8 DIP switch characters.
  const Decoded d = decode("VR1.23    20261210", store, 9, 21);
  EXPECT_EQ(d.result, kUnknownReply);
  EXPECT_EQ(d.out, "########");
}

TEST(Replies, TrackInformationKeepsItsFirstThreeCharacters) {
  devlink::Store store;
  store.card.model_reply = {9, 9, 9, 9};
  const Decoded d = decode(
      "j12\xE9"
      "4",
      store, 5, 14);
  EXPECT_EQ(d.result, 0);
  EXPECT_EQ(d.out,
            "12\xE9"
            "4");
  EXPECT_EQ(store.card.model_reply, (std::array<std::int32_t, 4>{'1', '2', -23, 9}));
}

TEST(Replies, DataReturnComparesTheTenCharacters) {
  devlink::Store store;
  std::memcpy(store.data_return.data(), "0123456789", 10);
  const ReplyCase cases[] = {
      {"J0123456789", 0, ""},         {"J0123456789extra", 0, ""},   {"JX123456789", kMismatch, ""},
      {"J012345678X", kMismatch, ""}, {"J012345678", kMismatch, ""}, {"J", kMismatch, ""},
  };
  for (const auto& c : cases) {
    const Decoded d = decode(c.text, store, 17, 5);
    EXPECT_EQ(d.result, c.result) << c.text;
    EXPECT_EQ(d.out, "################") << c.text << ": nothing is copied";
  }
}

TEST(Replies, EepromDataFollowsTheEchoedAddress) {
  devlink::Store store;
  Decoded d = decode("s3A0F", store, 3, devlink::kEeReadByte);
  EXPECT_EQ(d.result, 0);
  EXPECT_EQ(d.out, "0F");
  d = decode("s3*" + hex_pattern(32), store, 33, devlink::kEeReadRow);
  EXPECT_EQ(d.out, hex_pattern(32));

  // The whole EEPROM, while no command waits: kept in the data block.
  const std::string all = hex_pattern(256);
  const std::vector<std::uint8_t> bytes = [&] {
    const std::string text = "s**" + all;
    return std::vector<std::uint8_t>(text.begin(), text.end());
  }();
  const devlink::ReplyRule* rule = devlink::classify_text(link_profile(), bytes);
  ASSERT_NE(rule, nullptr);
  EXPECT_EQ(rule->decode(devlink::ReplyEnv{bytes, 0, nullptr, store, 0}), 0);
  EXPECT_EQ(store.block.length, 256);
  EXPECT_EQ(std::string(store.block.data.data()), all);
}

}  // namespace
}  // namespace xerv1
