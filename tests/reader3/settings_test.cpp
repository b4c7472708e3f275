// The reader's settings through libxerv3com: each setting's query and set form against the
// virtual reader, which keeps the new value; a refusal; a new frame format taken up at the
// reader's reset and then on the library's side; and the protocol change.
#include <string>

#include "reader3_fixture.h"

namespace reader3 {
namespace {

using xtest::eeprom_byte;
using xtest::SettingRow;

class Xerv3Setting : public xtest::SettingTest<xsim::Protocol::Xerv3> {};

TEST_P(Xerv3Setting, QuerySetAndQueryAgain) {
  const SettingRow& row = GetParam();
  EXPECT_EQ(run(row.query), row.initial);
  EXPECT_EQ(run(row.set), row.updated);
  EXPECT_EQ(reader->setting(row.name), row.updated);
  EXPECT_EQ(run(row.query), row.updated);
}

INSTANTIATE_TEST_SUITE_P(
    EveryExport, Xerv3Setting,
    ::testing::Values(
        SettingRow{"SH", 7, [](char* o) { return Card_Inst_End_Set(N, N, N, o); },
                   [](char* o) { return Card_Inst_End_Set("R", "F1", "S05", o); }, "FF1F30",
                   "RF1S05"},
        // Modes without a third value are answered with three characters.
        SettingRow{"SH", 7, [](char* o) { return Card_Inst_End_Set("", "", "", o); },
                   [](char* o) { return Card_Inst_End_Set("F", "F0", "", o); }, "FF1F30", "FF0"},
        SettingRow{"SH", 7, [](char* o) { return Card_Inst_End_Set(N, N, N, o); },
                   [](char* o) { return Card_Inst_End_Set("R", "S0", N, o); }, "FF1F30", "RS0"},
        SettingRow{"SE", XERV3_EVENT_DATA_SIZE, [](char* o) { return Event_data_Set(N, o); },
                   [](char* o) { return Event_data_Set("C", o); }, "0", "C"},
        SettingRow{"SP", 4, [](char* o) { return Power_ON_OFF_Operation_Setup(N, N, N, o); },
                   [](char* o) { return Power_ON_OFF_Operation_Setup("1", "R", "F", o); }, "0FF",
                   "1RF"},
        SettingRow{"SL", 6, [](char* o) { return LED_Operation_setup("", "", "", "", "", o); },
                   [](char* o) { return LED_Operation_setup("0", "1", "2", "3", "4", o); }, "11100",
                   "01234"},
        SettingRow{"SB", 6, [](char* o) { return BUZ_Operation_setup(N, N, N, N, N, o); },
                   [](char* o) { return BUZ_Operation_setup("1", "0", "0", "9", "9", o); }, "11000",
                   "10099"},
        SettingRow{"SR", 8, [](char* o) { return Comm_Control_Set(N, N, N, N, N, N, N, o); },
                   [](char* o) { return Comm_Control_Set("1", "2", "1", "3", "1", "2", "9", o); },
                   "1101035", "1213129"},
        SettingRow{"SN", 11, [](char* o) { return Comm_Format_Set(N, N, N, N, N, N, N, o); },
                   [](char* o) { return Comm_Format_Set("1", "3", "0", "0", N, N, N, o); },
                   "1410000000", "1300000000"},
        // The send range has no query form of its own: the track digit alone asks for it.
        SettingRow{"SJ2", 6, [](char* o) { return Read_Data_Send_Range_Set("2", N, N, o); },
                   [](char* o) { return Read_Data_Send_Range_Set("2", "05", "1A", o); }, "200FF",
                   "2051A"},
        SettingRow{"SM", 2, [](char* o) { return Write_Mode_Set(N, o); },
                   [](char* o) { return Write_Mode_Set("2", o); }, "0", "2"},
        SettingRow{"SS", 2, [](char* o) { return Shutter_Control_Set("", o); },
                   [](char* o) { return Shutter_Control_Set("1", o); }, "0", "1"},
        SettingRow{"SY", 2, [](char* o) { return RetryActionCountSet(N, o); },
                   [](char* o) { return RetryActionCountSet("7", o); }, "3", "7"},
        SettingRow{"SV", 2, [](char* o) { return BuzzerVolumeSet(N, o); },
                   [](char* o) { return BuzzerVolumeSet("0", o); }, "2", "0"},
        SettingRow{"SG", 2, [](char* o) { return LEDBuzzerOperationTimingSet(N, o); },
                   [](char* o) { return LEDBuzzerOperationTimingSet("1", o); }, "0", "1"}));

// A value the reader refuses: its "NG" code comes back, the buffer and the setting stay.
TEST_F(Xerv3Test, RefusedSettingGivesTheReadersCode) {
  char out[6] = "#####";
  EXPECT_EQ(Shutter_Control_Set("7", out), 3);
  EXPECT_STREQ(out, "#####");
  EXPECT_EQ(reader->setting("SS"), "0");
  EXPECT_EQ(LED_Operation_setup("2", "0", "0", "0", "0", out), 3);
  EXPECT_STREQ(out, "#####");
  EXPECT_EQ(reader->setting("SL"), "11100");
  EXPECT_EQ(Read_Data_Send_Range_Set("5", N, N, out), 3);  // no track 5
  EXPECT_EQ(Shutter_Control_Set(N, out), 0);               // the link goes on
  EXPECT_STREQ(out, "0");
}

// The reader's frame format changes at its reset; the host then sets the same on its side and
// both go on in it: user start and end codes, hexadecimal block check with CR, user separator
// with card data laid out by the tracks the read asks for.
TEST_F(Xerv3Test, NewFrameFormatOnBothSidesAfterReset) {
  char out[11] = {};
  ASSERT_EQ(Comm_Format_Set("2", "5", "2", "3", "1B", "1C", "1D", out), 0);
  EXPECT_STREQ(out, "25231B1C1D");
  EXPECT_EQ(reader->frame_format().start_code, devlink::kStx) << "not before the reset";
  ASSERT_EQ(Reset_Device(), 0);
  const devlink::FrameFormat now = reader->frame_format();
  EXPECT_EQ(now.start_code, 0x1B);
  EXPECT_EQ(now.end_code, 0x1C);
  EXPECT_EQ(now.bcc_mode, 2);
  EXPECT_EQ(now.separator, 0x1D);
  ASSERT_EQ(rs_CommFormat_Set("2", "5", "2", "3", "1B", "1C", "1D"), 0);

  char shutter[2] = {};
  ASSERT_EQ(Shutter_Control_Set(N, shutter), 0);
  EXPECT_STREQ(shutter, "0");
  // ESC, the text, the end code, then the block check (S ^ S ^ 1Ch = 1Ch) in hex and CR.
  const xsim::Bytes expected{0x1B, 'S', 'S', 0x1C, '1', 'C', 0x0D};
  ASSERT_FALSE(reader->received().empty());
  EXPECT_EQ(reader->received().back().raw, expected);

  // Tracks 1 and 3 asked for: the card data holds those two, split at the user separator, and
  // the report's acknowledgement (ACK CR) reaches the reader.
  use_model(101);
  ASSERT_EQ(MagCard_Read("C", "101"), 0);
  EXPECT_EQ(last_command(), "CRC101");
  reader->present_card(Card{{Track::text("ONE"), Track::error(2), Track::text("THREE"), {}}});
  ASSERT_NE(wait_status(1) & 1, 0);
  const CardResult got = card_result();
  EXPECT_EQ(got.r[0], 0);
  EXPECT_EQ(got.r[1], -1);
  EXPECT_EQ(got.r[2], 0);
  const auto texts = track_texts();
  EXPECT_EQ(texts[0], "ONE");
  EXPECT_EQ(texts[2], "THREE");
  EXPECT_TRUE(reader->wait_idle(2s));
  EXPECT_EQ(reader->acknowledged_reports(), 1);
  EXPECT_EQ(reader->abandoned_reports(), 0);

  // A reset now answers ACK CR, and the format stays.
  ASSERT_EQ(Reset_Device(), 0);
  EXPECT_EQ(reader->frame_format().separator, 0x1D);
  ASSERT_EQ(Shutter_Control_Set(N, shutter), 0);
  EXPECT_STREQ(shutter, "0");
}

// "PR1" makes the reader speak XERV1 and note it in its EEPROM; the control method brings it
// back, and the library's commands work again.
TEST_F(Xerv3Test, ProtocolChangeAndBack) {
  EXPECT_EQ(eeprom_byte("2C"), "00");
  ASSERT_EQ(ProtocolChange(), 0);
  EXPECT_EQ(last_command(), "PR1");
  EXPECT_EQ(reader->protocol(), xsim::Protocol::Xerv1);
  EXPECT_EQ(reader->eeprom()[xsim::kProtocolByte], xsim::kProtocolXerv1);
  // An XERV1 reader does not know "SS": it answers DLE, which this library counts as done, with
  // nothing copied.
  char shutter[2] = "#";
  EXPECT_EQ(Shutter_Control_Set(N, shutter), 0);
  EXPECT_STREQ(shutter, "#");

  reader->switch_protocol(xsim::Protocol::Xerv3);
  EXPECT_EQ(Shutter_Control_Set(N, shutter), 0);
  EXPECT_STREQ(shutter, "0");
  EXPECT_EQ(eeprom_byte("2C"), "00");
}

}  // namespace
}  // namespace reader3
