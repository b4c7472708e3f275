#include "eeprom.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "hex_pattern.h"
#include "result.h"

namespace {

using devlink::Command;
using devlink::EepromLetters;
using xtest::hex_pattern;

// The two letter sets the libraries use.
constexpr EepromLetters kTwoLetter{"EO", "EC", "EE", "ED", "ER", "EW"};
constexpr EepromLetters kOneLetter{"p", "v", "q", "r", "s", "t"};

const std::string kRow(32, 'A');
const std::string kRow31(31, 'A');

struct BuildCase {
  const char* name;
  Command command;
  int error;
  int request;
  std::string text;
};

void expect(const BuildCase& c) {
  EXPECT_EQ(c.command.error, c.error) << c.name;
  if (c.error != 0) {
    EXPECT_EQ(c.command.length, 0u) << c.name;
    return;
  }
  EXPECT_EQ(c.command.request, c.request) << c.name;
  EXPECT_EQ(c.command.view(), c.text) << c.name;
}

TEST(EepromRead, AddressTable) {
  const BuildCase cases[] = {
      {"byte", devlink::eeprom_read(kTwoLetter, "3A"), 0, 146, "ER3A"},
      {"first byte", devlink::eeprom_read(kTwoLetter, "00"), 0, 146, "ER00"},
      {"last byte", devlink::eeprom_read(kTwoLetter, "7F"), 0, 146, "ER7F"},
      {"row", devlink::eeprom_read(kTwoLetter, "3*"), 0, 147, "ER3*"},
      {"all", devlink::eeprom_read(kTwoLetter, "**"), 0, 148, "ER**"},
      {"one-letter library", devlink::eeprom_read(kOneLetter, "3A"), 0, 146, "s3A"},
      {"row 8", devlink::eeprom_read(kTwoLetter, "8A"), 902, 0, ""},
      {"column G", devlink::eeprom_read(kTwoLetter, "3G"), 902, 0, ""},
      {"lower-case column", devlink::eeprom_read(kTwoLetter, "3a"), 902, 0, ""},
      {"star as row of a byte", devlink::eeprom_read(kTwoLetter, "*3"), 902, 0, ""},
      {"three characters", devlink::eeprom_read(kTwoLetter, "3A0"), 902, 0, ""},
      {"one character", devlink::eeprom_read(kTwoLetter, "3"), 902, 0, ""},
      {"empty", devlink::eeprom_read(kTwoLetter, ""), 902, 0, ""},
      {"null", devlink::eeprom_read(kTwoLetter, nullptr), 900, 0, ""},
  };
  for (const auto& c : cases) expect(c);
}

TEST(EepromRead, BufferSizeFollowsTheAddress) {
  EXPECT_EQ(devlink::eeprom_read_size("3A"), 3u);
  EXPECT_EQ(devlink::eeprom_read_size("3*"), 33u);
  EXPECT_EQ(devlink::eeprom_read_size("**"), 257u);
  EXPECT_EQ(devlink::eeprom_read_size("8A"), 0u);
  EXPECT_EQ(devlink::eeprom_read_size(nullptr), 0u);
}

TEST(EepromWrite, AddressAndDataTable) {
  const BuildCase cases[] = {
      {"byte", devlink::eeprom_write(kTwoLetter, "3A", "0F"), 0, 149, "EW3A0F"},
      {"row", devlink::eeprom_write(kTwoLetter, "3*", kRow.c_str()), 0, 150, "EW3*" + kRow},
      {"one-letter library", devlink::eeprom_write(kOneLetter, "3A", "0F"), 0, 149, "t3A0F"},
      {"whole EEPROM", devlink::eeprom_write(kTwoLetter, "**", kRow.c_str()), 902, 0, ""},
      {"row with 31 characters", devlink::eeprom_write(kTwoLetter, "3*", kRow31.c_str()), 902, 0,
       ""},
      {"row with 2 characters", devlink::eeprom_write(kTwoLetter, "3*", "0F"), 902, 0, ""},
      {"byte with 32 characters", devlink::eeprom_write(kTwoLetter, "3A", kRow.c_str()), 902, 0,
       ""},
      {"byte with 3 characters", devlink::eeprom_write(kTwoLetter, "3A", "0F0"), 902, 0, ""},
      {"byte with 1 character", devlink::eeprom_write(kTwoLetter, "3A", "F"), 902, 0, ""},
      {"lower-case data", devlink::eeprom_write(kTwoLetter, "3A", "0f"), 902, 0, ""},
      {"non-hex data", devlink::eeprom_write(kTwoLetter, "3A", "0G"), 902, 0, ""},
      {"bad address", devlink::eeprom_write(kTwoLetter, "8A", "0F"), 902, 0, ""},
      {"empty address", devlink::eeprom_write(kTwoLetter, "", "0F"), 902, 0, ""},
      {"null address", devlink::eeprom_write(kTwoLetter, nullptr, "0F"), 900, 0, ""},
      {"null data", devlink::eeprom_write(kTwoLetter, "3A", nullptr), 900, 0, ""},
  };
  for (const auto& c : cases) expect(c);
}

TEST(EepromOpen, AccessCodeIsAssembledFromLetterPositions) {
  const devlink::AccessCode code{0, 25, 1, 24, 2, 23};
  const BuildCase cases[] = {
      {"open", devlink::eeprom_open(kTwoLetter, code), 0, 144, "EOAZBYCX"},
      {"open, one letter", devlink::eeprom_open(kOneLetter, code), 0, 144, "pAZBYCX"},
      {"close", devlink::eeprom_close(kTwoLetter), 0, 145, "EC"},
      {"enable", devlink::eeprom_enable(kOneLetter), 0, 151, "q"},
      {"disable", devlink::eeprom_disable(kTwoLetter), 0, 152, "ED"},
  };
  for (const auto& c : cases) expect(c);
}

// An "ER" reply for address `address` followed by `data`.
std::string er_reply(const std::string& address, const std::string& data) {
  return "ER" + address + data;
}

struct Decoded {
  int result;
  std::string out;
};

Decoded decode(const std::string& text, int request, devlink::Store& store,
               std::size_t data_at = 4) {
  char out[300];
  std::memset(out, '#', sizeof out);
  const devlink::ReplyEnv env{
      {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, request, out, store};
  const int r = devlink::decode_eeprom_reply(env, data_at);
  return {r, std::string(out, ::strnlen(out, sizeof out))};
}

TEST(EepromReply, RequestCodeSelectsTheLength) {
  const std::string all = hex_pattern(256, 1);
  struct Case {
    const char* name;
    std::string text;
    int request;
    std::size_t data_at;
    Decoded want;
  };
  const Case cases[] = {
      {"byte", er_reply("3A", "0F"), 146, 4, {0, "0F"}},
      {"byte, extra characters ignored", er_reply("3A", "0F99"), 146, 4, {0, "0F"}},
      {"row", er_reply("3*", all), 147, 4, {0, all.substr(0, 32)}},
      {"all", er_reply("**", all), 148, 4, {0, all}},
      {"another command's buffer is left alone",
       er_reply("**", all),
       13,
       4,
       {909, std::string(300, '#')}},
      {"one-letter reply, data at R3", "s3A0F", 146, 3, {0, "0F"}},
      {"short byte", er_reply("3A", "0"), 146, 4, {909, "0"}},
      {"short row", er_reply("3*", hex_pattern(20, 1)), 147, 4, {909, hex_pattern(20, 1)}},
      {"short all", er_reply("**", hex_pattern(255, 1)), 148, 4, {909, hex_pattern(255, 1)}},
      {"letters and address only", "ER**", 148, 4, {909, ""}},
      {"address cut off", "ER", 148, 4, {909, ""}},
  };
  for (const auto& c : cases) {
    devlink::Store store;
    const Decoded d = decode(c.text, c.request, store, c.data_at);
    EXPECT_EQ(d.result, c.want.result) << c.name;
    EXPECT_EQ(d.out, c.want.out) << c.name;
    EXPECT_EQ(store.block.length, 0) << c.name << ": a waiting command never fills the block";
  }
}

TEST(EepromReply, NullOutputCopiesNothing) {
  devlink::Store store;
  const std::string text = er_reply("3A", "0F");
  const devlink::ReplyEnv env{
      {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()}, 146, nullptr, store};
  EXPECT_EQ(devlink::decode_eeprom_reply(env, 4), 0);
  const devlink::ReplyEnv other{env.text, 144, nullptr, store};
  EXPECT_EQ(devlink::decode_eeprom_reply(other, 4), 909) << "two characters, 256 expected";
}

TEST(EepromReply, UnaskedWholeReadGoesIntoTheDataBlock) {
  devlink::Store store;
  const std::string all = hex_pattern(256, 1);
  const Decoded d = decode(er_reply("**", all + "XYZ"), 0, store);
  EXPECT_EQ(d.result, 0);
  EXPECT_EQ(d.out, std::string(300, '#')) << "the caller's buffer is not the target";
  EXPECT_EQ(store.block.length, 256);
  EXPECT_EQ(std::string(store.block.data.data()), all);
  EXPECT_EQ(store.block.data[256], '\0');
}

TEST(EepromReply, UnaskedShortReadStoresWhatArrivedWithItsLength) {
  devlink::Store store;
  ASSERT_EQ(decode(er_reply("**", hex_pattern(256, 1)), 0, store).result, 0);

  EXPECT_EQ(decode(er_reply("**", "ABCD"), 0, store).result, 909);
  EXPECT_EQ(store.block.length, 4);
  EXPECT_EQ(std::string(store.block.data.data()), "ABCD");
  for (std::size_t i = 4; i < store.block.data.size(); ++i)
    ASSERT_EQ(store.block.data[i], '\0') << "the old block's tail at " << i;

  // No data at all: the block keeps what it held.
  EXPECT_EQ(decode("ER**", 0, store).result, 909);
  EXPECT_EQ(store.block.length, 4);
  EXPECT_EQ(std::string(store.block.data.data()), "ABCD");
}

}  // namespace
