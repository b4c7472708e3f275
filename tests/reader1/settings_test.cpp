// The reader's settings through libxerv1: each setting's query and set form against the virtual
// reader, which keeps the new value; a refusal (DLE); a new frame format taken up at the reader's
// reset and then on the library's side; and the protocol change.
#include <string>

#include "reader1_fixture.h"

namespace reader1 {
namespace {

using xtest::eeprom_byte;
using xtest::SettingRow;

class Xerv1Setting : public xtest::SettingTest<xsim::Protocol::Xerv1> {};

TEST_P(Xerv1Setting, QuerySetAndQueryAgain) {
  const SettingRow& row = GetParam();
  EXPECT_EQ(run(row.query), row.initial);
  EXPECT_EQ(run(row.set), row.updated);
  EXPECT_EQ(reader->setting(row.name), row.updated);
  EXPECT_EQ(run(row.query), row.updated);
}

// The reader keeps the XERV1 settings under the XERV3 names where both protocols have them.
INSTANTIATE_TEST_SUITE_P(
    EveryExport, Xerv1Setting,
    ::testing::Values(
        SettingRow{"SP", 4, [](char* o) { return Power_ON_OFF_Operation_Setup(N, o); },
                   [](char* o) { return Power_ON_OFF_Operation_Setup("1", o); }, "0FF", "1FF"},
        SettingRow{"j", 5, [](char* o) { return Track_Info_Set("", "", "", o); },
                   [](char* o) { return Track_Info_Set("1", "0", "1", o); }, "1110", "1010"},
        SettingRow{"SV", 2, [](char* o) { return BuzzerVolumeSet(N, o); },
                   [](char* o) { return BuzzerVolumeSet("3", o); }, "2", "3"},
        SettingRow{"SM", 2, [](char* o) { return Write_Mode_Set(N, o); },
                   [](char* o) { return Write_Mode_Set("1", o); }, "0", "1"},
        SettingRow{"SS", 2, [](char* o) { return Shutter_Control_Set("", o); },
                   [](char* o) { return Shutter_Control_Set("1", o); }, "0", "1"},
        SettingRow{"o", 2, [](char* o) { return ResponseFormatSet(N, o); },
                   [](char* o) { return ResponseFormatSet("1", o); }, "0", "1"},
        SettingRow{"SR", 8, [](char* o) { return Comm_Control_Set(N, N, N, N, N, N, N, o); },
                   [](char* o) { return Comm_Control_Set("0", "2", "1", "1", "1", "2", "9", o); },
                   "0101035", "0211129"},
        SettingRow{"SN", 11, [](char* o) { return Comm_Format_Set(N, N, N, N, N, N, N, o); },
                   [](char* o) { return Comm_Format_Set("1", "3", "0", "0", N, N, N, o); },
                   "1410000000", "1300000000"}));

// The XERV1 reader answers a value it refuses with DLE; the setting stays and the link goes on.
TEST_F(Xerv1Test, RefusedSettingGivesDle) {
  char out[5] = "####";
  EXPECT_EQ(Write_Mode_Set("9", out), 907);
  EXPECT_STREQ(out, "####");
  EXPECT_EQ(reader->setting("SM"), "0");
  EXPECT_EQ(Track_Info_Set("2", "0", "0", out), 907);
  EXPECT_EQ(reader->setting("j"), "1110");
  char shutter[2] = {};
  EXPECT_EQ(Shutter_Control_Set(N, shutter), 0);
  EXPECT_STREQ(shutter, "0");
}

// The reader's frame format changes at its reset; the host then sets the same on its side and
// both go on in it: user start and end codes, hexadecimal block check with CR, and the user
// separator of mode 3, whose fields XERV1 sends.
TEST_F(Xerv1Test, NewFrameFormatOnBothSidesAfterReset) {
  char out[11] = {};
  ASSERT_EQ(Comm_Format_Set("2", "5", "2", "3", "1B", "1C", "1D", out), 0);
  EXPECT_STREQ(out, "25231B1C1D");
  EXPECT_EQ(reader->frame_format().start_code, devlink::kStx) << "not before the reset";
  ASSERT_EQ(Reset_Device(), 0);
  const devlink::FrameFormat now = reader->frame_format();
  EXPECT_EQ(now.start_code, 0x1B);
  EXPECT_EQ(now.end_code, 0x1C);
  EXPECT_EQ(now.bcc_mode, 2);
  EXPECT_EQ(now.separator_mode, 3);
  EXPECT_EQ(now.separator, 0x1D);
  ASSERT_EQ(rs_CommFormat_Set("2", "5", "2", "3", "1B", "1C", "1D"), 0);

  char shutter[2] = {};
  ASSERT_EQ(Shutter_Control_Set(N, shutter), 0);
  EXPECT_STREQ(shutter, "0");
  // ESC, the text, the end code, then the block check ('h' ^ 1Ch = 74h) in hex and CR.
  const xsim::Bytes expected{0x1B, 'h', 0x1C, '7', '4', 0x0D};
  ASSERT_FALSE(reader->received().empty());
  EXPECT_EQ(reader->received().back().raw, expected);

  // Card data split at the user separator; the write's fields are separated by it too.
  use_model(101);
  ASSERT_EQ(MagCard_Read(N), 0);
  reader->present_card(Card{{Track::text("ONE"), Track::error(2), Track::text("THREE"), {}}});
  ASSERT_NE(wait_status(1) & 1, 0);
  const CardResult got = card_result();
  EXPECT_EQ(got.r[0], 0);
  EXPECT_EQ(got.r[1], 2);
  EXPECT_EQ(got.r[2], 0);
  const auto texts = track_texts();
  EXPECT_EQ(texts[0], "ONE");
  EXPECT_EQ(texts[2], "THREE");

  reader->present_card(Card{});
  ASSERT_EQ(MagCard_Write("W1", "W2", "W3"), 0);
  EXPECT_EQ(last_command(), "3W1\x1DW2\x1DW3");
  ASSERT_NE(wait_status(2) & 2, 0);
  const CardResult written = card_result();
  EXPECT_EQ(written.r[0], 0);
  EXPECT_EQ(written.r[1], 0);
  EXPECT_EQ(written.r[2], 0);
  EXPECT_TRUE(reader->wait_idle(2s));
  EXPECT_EQ(reader->acknowledged_reports(), 2);
  EXPECT_EQ(reader->abandoned_reports(), 0);

  // A reset now answers ACK CR, and the format stays.
  ASSERT_EQ(Reset_Device(), 0);
  EXPECT_EQ(reader->frame_format().separator, 0x1D);
  ASSERT_EQ(Shutter_Control_Set(N, shutter), 0);
  EXPECT_STREQ(shutter, "0");
}

// "<0" makes the reader speak XERV3 and note it in its EEPROM; the control method brings it back,
// and the library's commands work again.
TEST_F(Xerv1Test, ProtocolChangeAndBack) {
  EXPECT_EQ(eeprom_byte("2C"), "01");
  ASSERT_EQ(ProtocolChange(), 0);
  EXPECT_EQ(last_command(), "<0");
  EXPECT_EQ(reader->protocol(), xsim::Protocol::Xerv3);
  EXPECT_EQ(reader->eeprom()[xsim::kProtocolByte], xsim::kProtocolXerv3);
  // An XERV3 reader refuses "h" with "NG", a letter this library does not know.
  char shutter[2] = "#";
  EXPECT_EQ(Shutter_Control_Set(N, shutter), 909);
  EXPECT_STREQ(shutter, "#");

  reader->switch_protocol(xsim::Protocol::Xerv1);
  EXPECT_EQ(Shutter_Control_Set(N, shutter), 0);
  EXPECT_STREQ(shutter, "0");
  EXPECT_EQ(eeprom_byte("2C"), "01");
}

}  // namespace
}  // namespace reader1
