// IC card exchanges and EEPROM access through libxerv3com against the virtual reader: binary
// blocks with the framing bytes inside them, and EEPROM writes read back under the access code.
#include <string>
#include <vector>

#include "reader3_fixture.h"

namespace reader3 {
namespace {

// The answer block of an IC export: the count (high byte first) and that many bytes.
std::vector<std::uint8_t> block(const char* out) {
  const auto* p = reinterpret_cast<const std::uint8_t*>(out);
  const std::size_t n = (static_cast<std::size_t>(p[0]) << 8) | p[1];
  return {p + 2, p + 2 + n};
}

// Bytes that mean something on the line: NUL, STX, ETX, ACK, DLE, NAK, US.
const std::vector<std::uint8_t> kAtr{0x3B, 0x00, 0x03, 0x02, 0x06, 0x90, 0x00};
const std::vector<std::uint8_t> kResponse{0x00, 0x03, 0x10, 0x15, 0x1F, 0x90, 0x00};

TEST_F(Xerv3Test, IcCardExchangeWithBinaryData) {
  reader->insert_ic(xsim::IcCard{kAtr, kResponse});
  ASSERT_EQ(IC_Card_Set(), 0);
  char out[XERV_IC_REPLY_SIZE] = {};
  ASSERT_EQ(IC_Card_Activate(out), 0);
  EXPECT_EQ(block(out), kAtr);

  const char data[] = {0x00, 0x03, 0x02, 0x10, 0x15, 0x00};
  const int32_t length = 1 + static_cast<int32_t>(sizeof data);
  ASSERT_EQ(IC_Card_DataSend(&length, "\x80", data, out), 0);
  EXPECT_EQ(block(out), kResponse);
  const auto blocks = reader->with_state([](const xsim::ReaderState& s) { return s.ic.blocks; });
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0], (std::vector<std::uint8_t>{0x80, 0x00, 0x03, 0x02, 0x10, 0x15, 0x00}));

  // The EMV block: the reader answers with the same card answer.
  const int32_t emv_length = 3;
  ASSERT_EQ(IC_Card_DataSend_EMV(&emv_length, "\x03\x00\x02", out), 0);
  EXPECT_EQ(block(out), kResponse);

  ASSERT_EQ(IC_Card_Deactivation(), 0);
  EXPECT_FALSE(reader->with_state([](const xsim::ReaderState& s) { return s.ic.active; }));
  EXPECT_EQ(IC_Card_DataSend(&length, "\x80", data, out), 5) << "the card is not active";
}

// The longest block each way, every byte value in it.
TEST_F(Xerv3Test, IcBlocksOfTheLongestLength) {
  std::vector<std::uint8_t> answer(288);
  for (std::size_t i = 0; i < answer.size(); ++i) answer[i] = static_cast<std::uint8_t>(255 - i);
  reader->insert_ic(xsim::IcCard{kAtr, answer});
  char out[XERV_IC_REPLY_SIZE] = {};
  ASSERT_EQ(IC_Card_Activate_EMV(out), 0);
  EXPECT_EQ(block(out), kAtr);

  std::vector<char> data(288);
  for (std::size_t i = 0; i < data.size(); ++i) data[i] = static_cast<char>(i);
  const int32_t length = 288;
  ASSERT_EQ(IC_Card_DataSend_EMV(&length, data.data(), out), 0);
  EXPECT_EQ(block(out), answer);
  const auto blocks = reader->with_state([](const xsim::ReaderState& s) { return s.ic.blocks; });
  ASSERT_EQ(blocks.size(), 1u);
  EXPECT_EQ(blocks[0], std::vector<std::uint8_t>(data.begin(), data.end()));
}

TEST_F(Xerv3Test, EepromWritesReadBackUnderTheAccessCode) {
  char byte[3] = {};
  EXPECT_EQ(EE_Read("3A", byte), 4) << "closed";
  ASSERT_EQ(EE_Open(), 0);
  EXPECT_EQ(last_command(), "EO" + xsim::default_access_code(xsim::Protocol::Xerv3));
  EXPECT_EQ(EE_Write("3A", "5A"), 4) << "writing not enabled yet";
  ASSERT_EQ(EE_Enable(), 0);

  const std::string row = "00112233445566778899AABBCCDDEEFF";
  ASSERT_EQ(EE_Write("3A", "5A"), 0);
  ASSERT_EQ(EE_Write("5*", row.c_str()), 0);
  EXPECT_EQ(reader->eeprom()[0x3A], 0x5A);
  EXPECT_EQ(reader->eeprom()[0x5F], 0xFF);

  ASSERT_EQ(EE_Read("3A", byte), 0);
  EXPECT_STREQ(byte, "5A");
  char row_out[33] = {};
  ASSERT_EQ(EE_Read("5*", row_out), 0);
  EXPECT_EQ(row_out, row);
  char all[257] = {};
  ASSERT_EQ(EE_Read("**", all), 0);
  EXPECT_EQ(all, xtest::eeprom_hex(reader->eeprom()));
  EXPECT_EQ(std::string(all).substr(0x50 * 2, 32), row);

  ASSERT_EQ(EE_Disable(), 0);
  EXPECT_EQ(EE_Write("3A", "00"), 4);
  ASSERT_EQ(EE_Close(), 0);
  EXPECT_EQ(EE_Read("3A", byte), 4);
  EXPECT_EQ(reader->eeprom()[0x3A], 0x5A);
}

TEST_F(Xerv3Test, EepromRefusesAnotherAccessCode) {
  xsim::Options o = reader_options();
  o.access_code_xerv3 = "QWERTY";
  start(o);
  EXPECT_EQ(EE_Open(), 4);
  char byte[3] = {};
  EXPECT_EQ(EE_Read("2C", byte), 4);
}

}  // namespace
}  // namespace reader3
