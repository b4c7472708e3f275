// Decoding of the card commands' replies: which characters reach the caller's buffer, and what a
// short reply gives.
#include "card_replies.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "result.h"

namespace xerv3 {
namespace {

using devlink::kUnknownReply;

struct Decoded {
  int result;
  std::string out;
};

Decoded run(devlink::Decoder decode, std::string_view text, devlink::Store& store) {
  char out[64];
  std::memset(out, '#', sizeof out);
  const devlink::ReplyEnv env{
      {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, 13, out, store};
  const int r = decode(env);
  // The copy is NUL-terminated and nothing beyond the NUL is written.
  const std::size_t n = ::strnlen(out, sizeof out);
  EXPECT_LT(n, sizeof out) << text;
  if (n + 1 < sizeof out) {
    EXPECT_EQ(out[n + 1], '#') << text;
  }
  return {r, std::string(out, n)};
}

struct ReplyCase {
  const char* name;
  devlink::Decoder decode;
  std::string_view text;
  int result;
  std::string out;
};

TEST(CardReplies, CopiesTheirCharacters) {
  const ReplyCase cases[] = {
      {"PS skips R2", decode_status_check, "PS0ABCDEFGHIJKL", 0, "ABCDEFGHIJKL"},
      {"PS longer", decode_status_check, "PS0ABCDEFGHIJKLMN", 0, "ABCDEFGHIJKL"},
      {"PS short", decode_status_check, "PS0ABC", kUnknownReply, "ABC"},
      {"PS letters only", decode_status_check, "PS", kUnknownReply, ""},
      {"PT dip switches", decode_test, "PT0x12345678yy", 0, "12345678"},
      {"PT other test", decode_test, "PT5ABCDEFGHIJKLzz", 0, "ABCDEFGHIJKL"},
      {"PT dip switches short", decode_test, "PT0x1234", kUnknownReply, "1234"},
      {"PT other short", decode_test, "PT5AB", kUnknownReply, "AB"},
      {"PT letters only", decode_test, "PT", kUnknownReply, ""},
      {"PU", decode_pu, "PU0123456789abcdef0123456789ABCDEF!", 0,
       "0123456789abcdef0123456789ABCDEF"},
      {"PC", decode_pc, "PC123456789X", 0, "123456789"},
      {"PC short", decode_pc, "PC1", kUnknownReply, "1"},
      {"VR", decode_version, "VR1.23    20261210", 0, "1.23    20261210"},
      {"VR short", decode_version, "VR1.23", kUnknownReply, "1.23"},
  };
  for (const auto& c : cases) {
    devlink::Store store;
    const Decoded d = run(c.decode, c.text, store);
    EXPECT_EQ(d.result, c.result) << c.name;
    EXPECT_EQ(d.out, c.out) << c.name;
  }
}

TEST(CardReplies, ModelReplyIsCopiedAndKeptSignExtended) {
  devlink::Store store;
  const Decoded d = run(decode_model_reply,
                        "ST1A\xE9"
                        "0",
                        store);
  EXPECT_EQ(d.result, 0);
  EXPECT_EQ(d.out,
            "1A\xE9"
            "0");
  EXPECT_EQ(store.card.model_reply, (std::array<std::int32_t, 4>{'1', 'A', -23, '0'}));
}

TEST(CardReplies, ShortModelReplyKeepsWhatArrived) {
  devlink::Store store;
  store.card.model_reply = {9, 9, 9, 9};
  const Decoded d = run(decode_model_reply, "ST12", store);
  EXPECT_EQ(d.result, kUnknownReply);
  EXPECT_EQ(d.out, "12");
  EXPECT_EQ(store.card.model_reply, (std::array<std::int32_t, 4>{'1', '2', 0, 0}));
}

TEST(CardReplies, ModelReplyWithoutABufferStillFillsTheStore) {
  devlink::Store store;
  const std::string_view text = "ST1234";
  const devlink::ReplyEnv env{
      {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, 0, nullptr, store};
  EXPECT_EQ(decode_model_reply(env), 0);
  EXPECT_EQ(store.card.model_reply, (std::array<std::int32_t, 4>{'1', '2', '3', '4'}));
}

}  // namespace
}  // namespace xerv3
