// The reader's settings: defaults answered to queries, set forms checked by the reader's rules,
// and the reply shapes (letters, then the values) of both protocols.
#include "sim_fixture.h"

namespace simtest {
namespace {

using SettingsTest = SimTest;

TEST_F(SettingsTest, Xerv3QueriesAnswerTheDefaults) {
  start();
  expect_exchanges({
      {"SH", "SHFF1F30"},
      {"SE", "SE0"},
      {"SP", "SP0FF"},
      {"SL", "SL11100"},
      {"SB", "SB11000"},
      {"SR", "SR1101035"},
      {"SN", "SN1410000000"},
      {"SJ1", "SJ100FF"},
      {"SJ4", "SJ400FF"},
      {"SM", "SM0"},
      {"SS", "SS0"},
      {"SY", "SY3"},
      {"SV", "SV2"},
      {"SG", "SG0"},
      {"VR", "VRXSIM3 1.00240601"},
      {"PT0", "PT0000011000"},  // R4..R11 are the eight switches
      {"ST", "ST0101"},
      {"PSC", "PSC000000000000"},
  });
}

TEST_F(SettingsTest, Xerv3SetThenQueryGivesTheNewValue) {
  start();
  expect_exchanges({
      {"SS1", "SS1"},
      {"SS", "SS1"},
      {"SHRF1", "SHRF1F30"},  // F1 or R1 alone keeps the third value
      {"SHFR1S05", "SHFR1S05"},
      {"SH", "SHFR1S05"},
      {"SHRF0", "SHRF0"},  // F0, R0 and S0 have no third value
      {"SH", "SHRF0"},
      {"SHFF1", "SHFF1"},  // so there is none to keep
      {"SHFS0", "SHFS0"},
      {"SN1410", "SN1410000000"},
      {"SN2510020304", "SN2510020304"},
      {"SN1410", "SN1410020304"},  // four characters keep the user codes
      {"SJ20AF0", "SJ20AF0"},
      {"SJ2", "SJ20AF0"},
      {"SJ1", "SJ100FF"},
      {"SE", "SE0"},
      {"SEE", "SEE"},
      {"SP1R0", "SP1R0"},
      {"SL01234", "SL01234"},
      {"SR0013117", "SR0013117"},
  });
  EXPECT_EQ(reader->setting("SS"), "1");
  EXPECT_EQ(reader->setting("SJ2"), "20AF0");
}

TEST_F(SettingsTest, Xerv3RefusedSettingsAnswerNgAndKeepTheValue) {
  start();
  expect_exchanges({
      {"SS7", "NG003"},       // value out of range
      {"SS12", "NG002"},      // wrong length
      {"SHFS1", "NG003"},     // S1 is no choice
      {"SHFF0F30", "NG002"},  // F0 takes no time-out part
      {"SHFF1X30", "NG003"},    {"SEF", "NG003"},
      {"SE:", "NG003"},         {"SP2F0", "NG003"},
      {"SL2000", "NG002"},      {"SL21234", "NG003"},
      {"SR1101A35", "NG003"},   {"SN3410", "NG003"},
      {"SN141002030", "NG002"}, {"SN14100203ff", "NG003"},  // user codes are upper-case hexadecimal
      {"SJ", "NG002"},          {"SJ5", "NG003"},
      {"SJ10AFG", "NG003"},     {"SV4", "NG003"},
      {"PSX", "NG003"},         {"PM3", "NG003"},
      {"PEF2", "NG003"},        {"POO10110", "NG003"},
      {"XX", "NG001"},          {"S", "NG001"},
  });
  expect_exchanges({{"SS", "SS0"}, {"SH", "SHFF1F30"}, {"SN", "SN1410000000"}});
}

TEST_F(SettingsTest, Xerv3CommandsWithoutData) {
  start();
  expect_exchanges({
      {"PES9", "<ACK>"},
      {"PM2", "<ACK>"},
      {"PP", "<ACK>"},
      {"PWA", "<ACK>"},
      {"PO010110", "<ACK>"},
      {"PT3", "PT3000000000000"},
  });
  EXPECT_EQ(reader->with_state([](const xsim::ReaderState& s) { return s.output_port; }), "010110");
}

TEST_F(SettingsTest, AckSetsOptionAnswersSetFormsWithAck) {
  xsim::Options o = test_options();
  o.ack_sets = true;
  start(o);
  expect_exchanges({{"SS1", "<ACK>"}, {"SS", "SS1"}, {"SS9", "NG003"}});
}

TEST_F(SettingsTest, Xerv1SettingsShareTheStoreUnderOneLetter) {
  start(test_options(xsim::Protocol::Xerv1));
  expect_exchanges({
      {"h", "h0"},
      {"h1", "h1"},
      {"h", "h1"},
      {"h9", "<DLE>"},  // XERV1 has no refusal code
      {"e", "e0FF"},
      {"e1FF", "e1FF"},
      {"b", "b2"},
      {"c", "c0"},
      {"g", "g0101035"},  // seven data bits by default
      {"f", "f1410000000"},
      {"f1413020304", "f1413020304"},
      {"o", "o0"},
      {"o2", "<DLE>"},
      {"j", "j1110"},
      {"j010", "j0100"},
      {"j012", "<DLE>"},
      {"k0",
       "k00"
       "00011000"},  // R3..R10 are the eight switches
      {"k", "k1000000000000"},
      {"=", "M000"},
      {":0123456789", "J0123456789"},
      {":012", "<DLE>"},
      {"VR", "VRXSIM1 1.00240601"},
      {"V", "<DLE>"},
      {";", "<ACK>"},
      {">", "<ACK>"},
      {"0", "<ACK>"},
      {"62", "<ACK>"},
      {"63", "<DLE>"},
      {"aX", "<ACK>"},
      {"Z", "<DLE>"},
      {"SS", "<DLE>"},  // XERV3 letters mean nothing here
  });
  EXPECT_EQ(reader->setting("SS"), "1");
  EXPECT_EQ(reader->setting("SP"), "1FF");
}

}  // namespace
}  // namespace simtest
