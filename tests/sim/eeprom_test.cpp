// The EEPROM: opened only with the access code, read by byte, row or whole, written when enabled.
#include "sim_fixture.h"

namespace simtest {
namespace {

using EepromTest = SimTest;

TEST_F(EepromTest, AccessCodeOpensReadingAndEnableOpensWriting) {
  start();
  const std::string code = xsim::default_access_code(xsim::Protocol::Xerv3);
  ASSERT_EQ(code.size(), 6u);
  expect_exchanges({
      {"ER2C", "NG004"},  // closed
      {"EOABCDEF", "NG004"},
      {"EO", "NG004"},
      {"ER2C", "NG004"},
  });
  EXPECT_EQ(host->ask("EO" + code), "<ACK>");
  expect_exchanges({
      {"ER2C", "ER2C00"},  // protocol byte: XERV3
      {"ER45", "ER4500"},  // track arrangement
      {"ER00", "ER0002"},  // track format codes
      {"ER08", "ER0803"},    {"ER10", "ER1004"},
      {"ER18", "ER1801"},    {"ER8A", "NG003"},
      {"ER3G", "NG003"},     {"ER3", "NG002"},
      {"EW3A0F", "NG004"},  // not enabled
      {"EE", "<ACK>"},       {"EW3A0F", "<ACK>"},
      {"EW3A0f", "NG003"},   {"EW3*00112233445566778899AABBCCDDEEFF", "<ACK>"},
      {"EW3*0011", "NG003"}, {"EW**00", "NG003"},
      {"ER3A", "ER3AAA"},    {"ER3*", "ER3*00112233445566778899AABBCCDDEEFF"},
      {"ED", "<ACK>"},       {"EW3A00", "NG004"},
      {"EC", "<ACK>"},       {"ER3A", "NG004"},
  });
  EXPECT_EQ(reader->eeprom()[0x3A], 0xAA);
}

TEST_F(EepromTest, WholeReadCarries256Characters) {
  start();
  ASSERT_EQ(host->ask("EO" + xsim::default_access_code(xsim::Protocol::Xerv3)), "<ACK>");
  const std::string all = host->ask("ER**");
  ASSERT_EQ(all.size(), 4u + 256u);
  EXPECT_EQ(all.substr(0, 4), "ER**");
  EXPECT_EQ(all.substr(4 + 2 * 0x2C, 2), "00");
  EXPECT_EQ(all.substr(4 + 2 * 0x08, 2), "03");
}

TEST_F(EepromTest, Xerv1UsesItsLettersAndDle) {
  xsim::Options o = test_options(xsim::Protocol::Xerv1);
  o.access_code_xerv1 = "QWERTY";
  start(o);
  expect_exchanges({
      {"s2C", "<DLE>"},
      {"p" + xsim::default_access_code(xsim::Protocol::Xerv3), "<DLE>"},  // not this reader's code
      {"pQWERTY", "<ACK>"},
      {"s2C", "s2C01"},  // protocol byte: XERV1
      {"t2C00", "<DLE>"},
      {"q", "<ACK>"},
      {"t7F12", "<ACK>"},
      {"s7F", "s7F12"},
      {"r", "<ACK>"},
      {"v", "<ACK>"},
      {"s7F", "<DLE>"},
  });
}

TEST_F(EepromTest, EachProtocolTakesItsOwnLibrarysCode) {
  start();
  const std::string xerv3 = xsim::default_access_code(xsim::Protocol::Xerv3);
  const std::string xerv1 = xsim::default_access_code(xsim::Protocol::Xerv1);
  ASSERT_NE(xerv3, xerv1);
  EXPECT_EQ(host->ask("EO" + xerv1), "NG004");
  reader->switch_protocol(xsim::Protocol::Xerv1);
  EXPECT_EQ(host->ask("p" + xerv3), "<DLE>");
  EXPECT_EQ(host->ask("p" + xerv1), "<ACK>");
}

}  // namespace
}  // namespace simtest
