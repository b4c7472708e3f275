#include "ic_replies.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "result.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

// An IC reply: letters, the count (high byte first), then `data`.
Bytes reply(const char* letters, std::size_t count, const Bytes& data) {
  Bytes b{static_cast<std::uint8_t>(letters[0]), static_cast<std::uint8_t>(letters[1]),
          static_cast<std::uint8_t>(count >> 8), static_cast<std::uint8_t>(count & 0xFF)};
  b.insert(b.end(), data.begin(), data.end());
  return b;
}

// Decodes into a buffer one byte larger than the documented size and filled with a marker, so
// the test sees how far the decoder wrote.
struct Outcome {
  int result;
  std::vector<std::uint8_t> out;  // the whole buffer
  std::size_t written;            // bytes before the first untouched marker
};

Outcome decode(const Bytes& text, int request = 8) {
  devlink::Store store;
  Outcome o{0, std::vector<std::uint8_t>(xerv3::kIcReplyBufferSize + 1, 0xEE), 0};
  const devlink::ReplyEnv env{text, request, reinterpret_cast<char*>(o.out.data()), store};
  o.result = xerv3::decode_ic_block(env);
  while (o.written < o.out.size() && o.out[o.written] != 0xEE) ++o.written;
  return o;
}

TEST(IcReply, CountZeroGivesTwoZeroBytesAndANul) {
  const Outcome o = decode(reply("ID", 0, {}));
  EXPECT_EQ(o.result, 0);
  EXPECT_EQ(o.written, 3u);
  EXPECT_EQ(Bytes(o.out.begin(), o.out.begin() + 3), (Bytes{0x00, 0x00, 0x00}));
}

TEST(IcReply, BinaryDataIsCopiedWholeByItsCount) {
  const Bytes data{0x3B, 0x00, 0x03, 0x02, 0x00, 0x90, 0x00};
  for (const char* letters : {"ID", "IP"}) {
    const Outcome o = decode(reply(letters, data.size(), data));
    EXPECT_EQ(o.result, 0) << letters;
    Bytes want{0x00, 0x07};
    want.insert(want.end(), data.begin(), data.end());
    want.push_back(0x00);
    EXPECT_EQ(Bytes(o.out.begin(), o.out.begin() + o.written), want) << letters;
  }
}

TEST(IcReply, BytesBeyondTheCountAreNotCopied) {
  const Outcome o = decode(reply("IP", 2, {0x90, 0x00, 0x55, 0x66}));
  EXPECT_EQ(o.result, 0);
  EXPECT_EQ(Bytes(o.out.begin(), o.out.begin() + o.written), (Bytes{0x00, 0x02, 0x90, 0x00, 0x00}));
}

TEST(IcReply, CountLargerThanWhatArrivedCopiesWhatArrivedAnd909) {
  const Outcome o = decode(reply("ID", 300, {0x01, 0x02, 0x03}));
  EXPECT_EQ(o.result, devlink::kUnknownReply);
  EXPECT_EQ(Bytes(o.out.begin(), o.out.begin() + o.written),
            (Bytes{0x01, 0x2C, 0x01, 0x02, 0x03, 0x00}));

  const Outcome huge = decode(reply("ID", 0xFFFF, {0xAB}));
  EXPECT_EQ(huge.result, devlink::kUnknownReply);
  EXPECT_EQ(huge.written, 4u);
}

TEST(IcReply, ABlockAbove288IsCutToFitTheDocumentedBuffer) {
  const Bytes data(400, 0x5A);  // the most a frame can carry
  const Outcome o = decode(reply("ID", data.size(), data));
  EXPECT_EQ(o.result, devlink::kUnknownReply);
  EXPECT_EQ(o.written, xerv3::kIcReplyBufferSize) << "count bytes, 288 data bytes and the NUL";
  EXPECT_EQ(o.out[0], 0x01);
  EXPECT_EQ(o.out[1], 0x90);
  EXPECT_EQ(o.out[2 + 288], 0x00);

  const Bytes exact(288, 0x5A);
  EXPECT_EQ(decode(reply("ID", exact.size(), exact)).result, 0);
}

TEST(IcReply, ReplyTooShortForItsCount) {
  const Outcome one = decode(Bytes{'I', 'D', 0x00});
  EXPECT_EQ(one.result, devlink::kUnknownReply);
  EXPECT_EQ(Bytes(one.out.begin(), one.out.begin() + one.written), (Bytes{0x00, 0x00}));

  const Outcome none = decode(Bytes{'I', 'D'});
  EXPECT_EQ(none.result, devlink::kUnknownReply);
  EXPECT_EQ(none.written, 1u);
}

TEST(IcReply, AnotherCommandsBufferIsLeftAlone) {
  const Bytes block = reply("ID", 3, {0x01, 0x02, 0x03});
  EXPECT_EQ(decode(block, 6).result, 0) << "activation";
  const Outcome o = decode(block, 146);  // an EEPROM byte read waits with a 3-byte buffer
  EXPECT_EQ(o.result, devlink::kUnknownReply);
  EXPECT_EQ(o.written, 0u);
}

TEST(IcReply, NullOutputCopiesNothing) {
  devlink::Store store;
  const Bytes text = reply("ID", 1, {0x42});
  EXPECT_EQ(xerv3::decode_ic_block(devlink::ReplyEnv{text, 8, nullptr, store}), 0);
}

}  // namespace
