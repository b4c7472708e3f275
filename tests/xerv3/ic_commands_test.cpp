#include "ic_commands.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "eeprom_commands.h"
#include "result.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes wire(const devlink::Command& c) {
  return Bytes(c.text().begin(), c.text().end());
}

Bytes head(const char* letters, std::uint8_t high, std::uint8_t low) {
  return Bytes{static_cast<std::uint8_t>(letters[0]), static_cast<std::uint8_t>(letters[1]), high,
               low};
}

TEST(IcCommands, PlainCommands) {
  struct Case {
    devlink::Command c;
    int request;
    const char* text;
  };
  const Case cases[] = {
      {xerv3::ic_card_set(), 5, "IU"},
      {xerv3::ic_card_deactivation(), 6, "IE"},
      {xerv3::ic_card_activate(), 6, "IN"},
      {xerv3::ic_card_activate_emv(), 6, "IS"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.c.error, 0) << c.text;
    EXPECT_EQ(c.c.request, c.request) << c.text;
    EXPECT_EQ(c.c.view(), c.text);
  }
}

TEST(IcCommands, EmvBlockCarriesBigEndianLengthAndBinaryData) {
  const char data5[] = {0x00, 0x03, 0x02, 0x00, 0x7F};
  std::int32_t five = 5;
  const auto c = xerv3::ic_card_data_send_emv(&five, data5);
  ASSERT_EQ(c.error, 0);
  EXPECT_EQ(c.request, 8);
  Bytes want = head("IC", 0x00, 0x05);
  want.insert(want.end(), {0x00, 0x03, 0x02, 0x00, 0x7F});
  EXPECT_EQ(wire(c), want) << "zero bytes inside the data are data";

  const std::string big(288, '\0');
  std::int32_t l260 = 260;
  const auto c260 = xerv3::ic_card_data_send_emv(&l260, big.data());
  ASSERT_EQ(c260.error, 0);
  ASSERT_EQ(c260.length, 4u + 260u);
  EXPECT_EQ(Bytes(c260.bytes.begin(), c260.bytes.begin() + 4), head("IC", 0x01, 0x04));

  std::int32_t l288 = 288;
  EXPECT_EQ(xerv3::ic_card_data_send_emv(&l288, big.data()).length, 4u + 288u);

  std::int32_t zero = 0;
  const auto empty = xerv3::ic_card_data_send_emv(&zero, nullptr);
  ASSERT_EQ(empty.error, 0);
  EXPECT_EQ(wire(empty), head("IC", 0x00, 0x00)) << "L = 0 sends the length bytes alone";
}

TEST(IcCommands, DataSendPutsTheFirstByteBeforeTheData) {
  const char first[] = "\x80";
  const char data[] = {0x00, 0x03};
  std::int32_t three = 3;
  const auto c = xerv3::ic_card_data_send(&three, first, data);
  ASSERT_EQ(c.error, 0);
  EXPECT_EQ(c.request, 8);
  Bytes want = head("IP", 0x00, 0x03);
  want.insert(want.end(), {0x80, 0x00, 0x03});
  EXPECT_EQ(wire(c), want);

  std::int32_t one = 1;
  const auto alone = xerv3::ic_card_data_send(&one, first, nullptr);
  ASSERT_EQ(alone.error, 0) << "L = 1 needs no data";
  want = head("IP", 0x00, 0x01);
  want.push_back(0x80);
  EXPECT_EQ(wire(alone), want);
}

TEST(IcCommands, RefusedBlocksSendNothing) {
  const std::string data(300, 'D');
  const char first[] = "F";
  std::int32_t zero = 0, neg = -1, l2 = 2, l289 = 289, big = 65536 + 5, l1 = 1;
  struct Case {
    const char* name;
    devlink::Command c;
    int error;
  };
  const Case cases[] = {
      {"IP null length", xerv3::ic_card_data_send(nullptr, first, data.data()), 900},
      {"IP L = 0", xerv3::ic_card_data_send(&zero, first, data.data()), 902},
      {"IP negative L", xerv3::ic_card_data_send(&neg, first, data.data()), 902},
      {"IP L = 289", xerv3::ic_card_data_send(&l289, first, data.data()), 902},
      {"IP L wraps 16 bits", xerv3::ic_card_data_send(&big, first, data.data()), 902},
      {"IP null first", xerv3::ic_card_data_send(&l1, nullptr, data.data()), 900},
      {"IP null data with L = 2", xerv3::ic_card_data_send(&l2, first, nullptr), 900},
      {"IC null length", xerv3::ic_card_data_send_emv(nullptr, data.data()), 900},
      {"IC negative L", xerv3::ic_card_data_send_emv(&neg, data.data()), 902},
      {"IC L = 289", xerv3::ic_card_data_send_emv(&l289, data.data()), 902},
      {"IC null data with L = 1", xerv3::ic_card_data_send_emv(&l1, nullptr), 900},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(c.c.error, c.error) << c.name;
    EXPECT_EQ(c.c.length, 0u) << c.name;
  }
}

TEST(EepromCommands, XervThreeLettersAndAccessCode) {
  const auto open = xerv3::ee_open();
  EXPECT_EQ(open.request, 144);
  ASSERT_EQ(open.length, 8u);
  EXPECT_EQ(open.view().substr(0, 2), "EO");
  for (char ch : open.view().substr(2)) EXPECT_TRUE(ch >= 'A' && ch <= 'Z') << ch;

  EXPECT_EQ(xerv3::ee_close().view(), "EC");
  EXPECT_EQ(xerv3::ee_enable().view(), "EE");
  EXPECT_EQ(xerv3::ee_disable().view(), "ED");
  EXPECT_EQ(xerv3::ee_read("3*").view(), "ER3*");
  EXPECT_EQ(xerv3::ee_write("3A", "0F").view(), "EW3A0F");
}

}  // namespace
