// EEPROM access through libxerv1 against the virtual reader: writes read back under the access
// code, the whole EEPROM, and a whole-EEPROM answer that comes while no command waits.
#include <string>

#include "framing.h"
#include "reader1_fixture.h"

namespace reader1 {
namespace {

TEST_F(Xerv1Test, EepromWritesReadBackUnderTheAccessCode) {
  char byte[3] = {};
  EXPECT_EQ(EE_Read("3A", byte), 907) << "closed";
  ASSERT_EQ(EE_Open(), 0);
  EXPECT_EQ(last_command(), "p" + xsim::default_access_code(xsim::Protocol::Xerv1));
  EXPECT_EQ(EE_Write("3A", "5A"), 907) << "writing not enabled yet";
  ASSERT_EQ(EE_Enable(), 0);

  const std::string row = "FFEEDDCCBBAA99887766554433221100";
  ASSERT_EQ(EE_Write("3A", "5A"), 0);
  EXPECT_EQ(last_command(), "t3A5A");
  ASSERT_EQ(EE_Write("6*", row.c_str()), 0);
  EXPECT_EQ(reader->eeprom()[0x3A], 0x5A);
  EXPECT_EQ(reader->eeprom()[0x60], 0xFF);

  ASSERT_EQ(EE_Read("3A", byte), 0);
  EXPECT_STREQ(byte, "5A");
  char row_out[33] = {};
  ASSERT_EQ(EE_Read("6*", row_out), 0);
  EXPECT_EQ(row_out, row);
  char all[257] = {};
  ASSERT_EQ(EE_Read("**", all), 0);
  EXPECT_EQ(all, xtest::eeprom_hex(reader->eeprom()));

  ASSERT_EQ(EE_Disable(), 0);
  EXPECT_EQ(EE_Write("3A", "00"), 907);
  ASSERT_EQ(EE_Close(), 0);
  EXPECT_EQ(EE_Read("3A", byte), 907);
  EXPECT_EQ(reader->eeprom()[0x3A], 0x5A);
}

TEST_F(Xerv1Test, EepromRefusesAnotherAccessCode) {
  xsim::Options o = reader_options();
  o.access_code_xerv1 = "QWERTY";
  start(o);
  EXPECT_EQ(EE_Open(), 907);
}

// The reader has no command that sends the EEPROM unasked, so the test puts the frame on the line
// itself; the library keeps its data for GetEEPROM_Data, once.
TEST_F(Xerv1Test, WholeEepromThatComesUnaskedIsKept) {
  const std::string data = xtest::eeprom_hex(reader->eeprom());
  const auto frame = xsim::frame_bytes(reader->frame_format(), "s**" + data);
  ASSERT_TRUE(frame.has_value());
  reader->send_garbage(*frame);

  int32_t length = 0;
  char buffer[257] = {};
  const auto deadline = std::chrono::steady_clock::now() + 3s;
  while (length == 0 && std::chrono::steady_clock::now() < deadline) {
    ASSERT_EQ(GetEEPROM_Data(&length, buffer), 0);
    if (length == 0) std::this_thread::sleep_for(10ms);
  }
  EXPECT_EQ(length, 256);
  EXPECT_EQ(buffer, data);
  ASSERT_EQ(GetEEPROM_Data(&length, buffer), 0);
  EXPECT_EQ(length, 0);

  // The link goes on as before.
  char shutter[2] = {};
  EXPECT_EQ(Shutter_Control_Set(N, shutter), 0);
  EXPECT_STREQ(shutter, "0");
}

}  // namespace
}  // namespace reader1
