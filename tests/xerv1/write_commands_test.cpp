// The magnetic writes: track fields by connection model code, and NTT data passed on as bytes.
#include "write_commands.h"

#include "command_check.h"
#include "result.h"

namespace xerv1 {
namespace {

using namespace xtest;
using devlink::Command;
using devlink::kBadLength;
using devlink::kBadValue;
using devlink::kNullArg;
using Flags = std::array<std::int32_t, 4>;

constexpr std::uint8_t kSep = 0x1F;

struct WriteCase {
  std::uint32_t model;
  const char* track1;
  const char* track2;
  const char* track3;
  Expect expect;
  Flags flags;
};

TEST(WriteCommands, TrackFieldsByConnectionModel) {
  const std::string S(1, static_cast<char>(kSep));
  const WriteCase cases[] = {
      // One track, without separators.
      {102, "ABC", nullptr, nullptr, sends("3ABC", 3), {0, 0, 0, 0}},
      {0, "1234", "x", "y", sends("31234", 3), {0, 0, 0, 0}},
      {100, "", nullptr, nullptr, fails(kBadValue), {0, 0, 0, 0}},
      {102, nullptr, "x", nullptr, fails(kNullArg), {0, 0, 0, 0}},
      {103, nullptr, "5678", nullptr, sends("35678", 3), {0, 0, 0, 0}},
      {104, "1", "2", nullptr, fails(kNullArg), {0, 0, 0, 0}},
      {104, nullptr, nullptr, "90", sends("390", 3), {0, 0, 0, 0}},
      // Code 101: the three separated fields; each given text marks its track.
      {101, "12", "34", "56", sends("312" + S + "34" + S + "56", 3), {1, 1, 1, 0}},
      {101, "", "5678", nullptr, sends("3" + S + "5678" + S, 3), {0, 1, 0, 0}},
      // Every other code sends the command character alone, codes 1 to 4 included.
      {2, "ABC", nullptr, nullptr, sends("3", 3), {0, 0, 0, 0}},
      {1, "1", "2", "3", sends("3", 3), {0, 0, 0, 0}},
      {105, "1", nullptr, nullptr, sends("3", 3), {0, 0, 0, 0}},
      // No track at all.
      {101, nullptr, nullptr, nullptr, fails(kNullArg), {7, 7, 7, 7}},
  };
  for (const auto& c : cases) {
    devlink::CardStore card;
    card.model = c.model;
    card.request = {7, 7, 7, 7};
    const std::string name = "model " + std::to_string(c.model) + " t1 " + name_of(c.track1);
    check(mag_card_write(card, kSep, cmd::kWrite, c.track1, c.track2, c.track3), c.expect, name);
    EXPECT_EQ(card.request, c.flags) << name;
  }
}

TEST(WriteCommands, HoldPositionAndTheSeparatorInForce) {
  devlink::CardStore card;
  card.model = 101;
  check(mag_card_write(card, '|', cmd::kWriteHold, "1", "2", "3"), sends("41|2|3", 3), "hold");
}

TEST(WriteCommands, TextHoldsAt256Characters) {
  devlink::CardStore card;
  card.model = 102;
  const std::string fits(255, 'x');  // the command character and 255 characters
  const Command ok = mag_card_write(card, kSep, cmd::kWrite, fits.c_str(), nullptr, nullptr);
  EXPECT_EQ(ok.length, 256u);
  const std::string over = fits + "x";
  check(mag_card_write(card, kSep, cmd::kWrite, over.c_str(), nullptr, nullptr), fails(kBadValue),
        "257 characters");
  card.model = 101;
  const std::string huge(100000, 'x');
  check(mag_card_write(card, kSep, cmd::kWrite, "1", "2", huge.c_str()), fails(kBadValue), "huge");
  EXPECT_EQ(card.request, (Flags{0, 0, 0, 0})) << "a refused write marks no track";
}

TEST(WriteCommands, NttDataGoesOutAsBytesUnderCode100) {
  devlink::CardStore card;
  card.model = 100;
  card.request = {7, 7, 7, 7};
  const char data[] = {'A', '\0', 'B', '\0', '\x7F', 'z'};
  const std::int32_t five = 5;
  const Command c = ntt_write(card, cmd::kWrite, &five, data);
  check(c, sends(std::string("3A\0B\0\x7F", 6), 3), "five bytes with zeros");
  EXPECT_EQ(card.request, (Flags{0, 0, 0, 0}));

  const std::int32_t zero = 0;
  check(ntt_write(card, cmd::kWriteHold, &zero, data), sends("4", 3), "length 0");
  const std::string full(255, '\xFF');
  const std::int32_t most = 255;
  EXPECT_EQ(ntt_write(card, cmd::kWrite, &most, full.c_str()).length, 256u);
}

TEST(WriteCommands, NttSendsTheCharacterAloneUnderOtherCodes) {
  devlink::CardStore card;
  const std::int32_t five = 5;
  for (const std::uint32_t model : {0u, 101u, 102u}) {
    card.model = model;
    check(ntt_write(card, cmd::kWrite, &five, "12345"), sends("3", 3), std::to_string(model));
  }
}

TEST(WriteCommands, NttArgumentErrors) {
  devlink::CardStore card;
  card.model = 100;
  const std::int32_t five = 5;
  const std::int32_t over = 256;
  const std::int32_t negative = -1;
  const std::string data(300, 'x');
  card.request = {7, 7, 7, 7};
  check(ntt_write(card, cmd::kWrite, nullptr, data.c_str()), fails(kBadValue), "null length");
  EXPECT_EQ(card.request, (Flags{0, 0, 0, 0})) << "the flags are cleared first";
  check(ntt_write(card, cmd::kWrite, &five, nullptr), fails(kNullArg), "null data");
  check(ntt_write(card, cmd::kWrite, &over, data.c_str()), fails(kBadLength), "256 bytes");
  check(ntt_write(card, cmd::kWrite, &negative, data.c_str()), fails(kBadLength), "negative");
  card.model = 101;  // refused whatever the code, though nothing would be sent
  check(ntt_write(card, cmd::kWrite, &over, data.c_str()), fails(kBadLength), "256 under 101");
}

}  // namespace
}  // namespace xerv1
