// The transmission range page against the virtual reader: the track groups captioned and switched
// by the formats in the reader's EEPROM, the ranges read and sent, and the checks before sending.
#include <array>
#include <utility>

#include "reader_fixture.h"
#include "reader_state.h"
#include "reply_text.h"

namespace tooltest {
namespace {

using Bytes = std::initializer_list<std::pair<int, std::uint8_t>>;

void put_eeprom(xsim::VirtualReader& reader, Bytes bytes) {
  reader.change_state([&](xsim::ReaderState& s) {
    for (const auto& [address, value] : bytes) s.eeprom.bytes()[address] = value;
  });
}

// The eight edits in checking order: track 1 start, track 1 end, track 2 start, ...
std::array<QLineEdit*, 8> range_edits(TfrmMain& w) {
  return {w.edtCmd_SJ_p2,      w.edtCmd_SJ_p3,       w.edtSndPos_TR2_ST1, w.edtSndPos_TR2_END1,
          w.edtSndPos_TR3_ST1, w.edtSndPos_TR3_END1, w.edtSndPos_TR4_ST1, w.edtSndPos_TR4_END1};
}

void fill(TfrmMain& w, const std::array<const char*, 8>& texts) {
  const auto edits = range_edits(w);
  for (std::size_t i = 0; i < edits.size(); ++i) edits[i]->setText(QString::fromUtf8(texts[i]));
}

bool track_enabled(TfrmMain& w, int track) {
  QGroupBox* const groups[] = {w.grpCmd_SJ_TR1, w.grpCmd_SJ_TR2, w.grpCmd_SJ_TR3, w.grpCmd_SJ_TR4};
  const auto edits = range_edits(w);
  const bool on = groups[track - 1]->isEnabled();
  EXPECT_EQ(edits[2 * (track - 1)]->isEnabled(), on) << "track " << track;
  EXPECT_EQ(edits[2 * (track - 1) + 1]->isEnabled(), on) << "track " << track;
  return on;
}

std::vector<std::string> without_access_code(std::vector<std::string> commands) {
  if (!commands.empty() && commands[0].rfind("EO", 0) == 0) commands[0] = "EO";
  return commands;
}

TEST(RangePage, FormatsCaptionAndDisableByArrangementAndSetSkipsAnUnformattedTrack4) {
  ReaderTool t(reader_options(xsim::Protocol::Xerv3, 30));
  TfrmMain& w = t.w();
  // Arrangement 3: track 1 shows slot 2, track 2 slot 3, track 3 slot 1.
  put_eeprom(t.reader, {{0x45, 0x03}, {0x00, 0x01}, {0x08, 0x07}, {0x10, 0x00}, {0x18, 0x00}});
  fill(w, {"9", "9", "9", "9", "9", "9", "1", "2"});
  w.LoadTrackFormats();

  EXPECT_EQ(without_access_code(t.commands()),
            (std::vector<std::string>{"EO", "ER45", "ER00", "ER08", "ER10", "ER18", "EC"}));
  EXPECT_EQ(w.FormatCode1, "01");
  EXPECT_EQ(w.FormatCode4, "00");
  EXPECT_EQ(w.grpCmd_SJ_TR1->title(), "AAMVA Transmission range");
  EXPECT_EQ(w.grpCmd_SJ_TR3->title(), "NTT Transmission range");
  EXPECT_EQ(w.grpCmd_SJ_TR2->title(), "Track 2 transmission range");
  EXPECT_TRUE(track_enabled(w, 1));
  EXPECT_FALSE(track_enabled(w, 2));
  EXPECT_TRUE(track_enabled(w, 3));
  EXPECT_FALSE(track_enabled(w, 4));
  // Tracks 1 to 3 start again from 0; track 4 keeps its values.
  EXPECT_EQ(w.edtCmd_SJ_p2->text(), "0");
  EXPECT_EQ(w.edtSndPos_TR3_END1->text(), "0");
  EXPECT_EQ(w.edtSndPos_TR4_END1->text(), "2");

  t.mark();
  w.btnCmd_SJ_Set->click();
  EXPECT_EQ(t.commands(), (std::vector<std::string>{"SJ10000", "SJ20000", "SJ30000", "PR"}));
  EXPECT_EQ(t.status(), "Data Transmission Area Set OK !! ");
  EXPECT_TRUE(t.messages().isEmpty());

  // An arrangement outside the table reads the codes but leaves the groups as they were.
  put_eeprom(t.reader, {{0x45, 0x07}, {0x00, 0x03}, {0x08, 0x03}, {0x10, 0x03}, {0x18, 0x03}});
  w.LoadTrackFormats();
  EXPECT_EQ(w.FormatCode4, "03");
  EXPECT_EQ(w.grpCmd_SJ_TR1->title(), "AAMVA Transmission range");
  EXPECT_EQ(w.grpCmd_SJ_TR2->title(), "Track 2 transmission range");
  EXPECT_FALSE(track_enabled(w, 2));
  EXPECT_FALSE(track_enabled(w, 4));
}

TEST(RangePage, FormatNamesAndAnArrangementThatIsNoNumber) {
  ReaderTool t(reader_options(xsim::Protocol::Xerv3, 31), /*japanese=*/true);
  TfrmMain& w = t.w();
  // Arrangement 0: the slots in order. An unknown code gives a caption that starts blank.
  put_eeprom(t.reader, {{0x45, 0x00}, {0x00, 0xF0}, {0x08, 0x08}, {0x10, 0x09}, {0x18, 0x05}});
  w.LoadTrackFormats();
  EXPECT_EQ(w.grpCmd_SJ_TR1->title(), "ユーザー指定 送信範囲");
  EXPECT_EQ(w.grpCmd_SJ_TR2->title(), "CA DMV(CDL) 送信範囲");
  EXPECT_EQ(w.grpCmd_SJ_TR3->title(), " 送信範囲");
  EXPECT_EQ(w.grpCmd_SJ_TR4->title(), "IBM 送信範囲");
  for (int track = 1; track <= 4; ++track) EXPECT_TRUE(track_enabled(w, track));

  // "0A" is no decimal number: the error goes to the caller before the EEPROM is closed.
  put_eeprom(t.reader, {{0x45, 0x0A}});
  t.mark();
  EXPECT_THROW(w.LoadTrackFormats(), xtool::ConversionError);
  EXPECT_EQ(without_access_code(t.commands()), (std::vector<std::string>{"EO", "ER45"}));
  EXPECT_TRUE(t.messages().isEmpty());
}

TEST(RangePage, SetSendsHexadecimalPairsForAllFourTracksBeforeAnyLoad) {
  ReaderTool t(reader_options(xsim::Protocol::Xerv3, 32));
  TfrmMain& w = t.w();
  fill(w, {"10", "255", "0", "1", "16", "200", "7", "8"});
  w.btnCmd_SJ_Set->click();
  EXPECT_EQ(t.commands(),
            (std::vector<std::string>{"SJ10AFF", "SJ20001", "SJ310C8", "SJ40708", "PR"}));
  EXPECT_EQ(t.reader.setting("SJ1"), "10AFF");
  EXPECT_EQ(t.status(), "Data Transmission Area Set OK !! ");
}

TEST(RangePage, GetPutsEachTrackRangeInDecimalIntoItsEdits) {
  ReaderTool t(reader_options(xsim::Protocol::Xerv3, 33));
  TfrmMain& w = t.w();
  ASSERT_TRUE(t.reader.set_setting("SJ1", "10AFF"));
  ASSERT_TRUE(t.reader.set_setting("SJ4", "41020"));
  w.btnCmd_SJ_Get->click();
  EXPECT_EQ(t.commands(), (std::vector<std::string>{"SJ1", "SJ2", "SJ3", "SJ4"}));
  EXPECT_EQ(w.edtCmd_SJ_p2->text(), "10");
  EXPECT_EQ(w.edtCmd_SJ_p3->text(), "255");
  EXPECT_EQ(w.edtSndPos_TR4_ST1->text(), "16");
  EXPECT_EQ(w.edtSndPos_TR4_END1->text(), "32");
  EXPECT_EQ(t.status(), "SJ Transmission range Ok!! 41020");

  // Track 1 refused (NAK to every attempt): its edits keep their values and the later tracks
  // are still read.
  w.edtCmd_SJ_p2->setText("77");
  t.mark();
  t.reader.nak_next(3);
  w.btnCmd_SJ_Get->click();
  EXPECT_EQ(w.edtCmd_SJ_p2->text(), "77");
  EXPECT_EQ(t.commands(), (std::vector<std::string>{"SJ1", "SJ1", "SJ1", "SJ2", "SJ3", "SJ4"}));
  EXPECT_EQ(t.status(), "SJ Transmission range Ok!! 41020");
}

TEST(RangePage, ChecksEveryEditForEmptinessBeforeAnyRangeAndSendsNothingOnFailure) {
  struct Case {
    std::array<const char*, 8> texts;
    const char* message;
  };
  const Case english[] = {
      {{"300", "0", "0", "", "0", "0", "0", "0"}, "Set Tr.2 End Position"},
      {{"0", "0", "0", "0", "0", "0", "0", ""}, "Set Tr.4 End Position"},
      {{"0", "0", "0", "0", "0", "0", "256", "0"}, "Input Tr.4 Start Position between 0 - 255"},
      {{"0", "0", "0", "0", "-1", "0", "0", "0"}, "Input Tr.3 Start Position between 0 - 255"},
      {{"0", "0", "0", "0", "0", "0", "0", "x1"}, "'x1' is not a valid integer value"},
  };
  ReaderTool t(reader_options(xsim::Protocol::Xerv3, 34));
  for (const Case& c : english) {
    t.messages().clear();
    t.w().StatusBar1->showMessage("before");
    fill(t.w(), c.texts);
    t.w().btnCmd_SJ_Set->click();
    EXPECT_EQ(t.messages(), QStringList{QString::fromUtf8(c.message)}) << c.message;
  }
  EXPECT_TRUE(t.commands().empty());
}

TEST(RangePage, JapaneseTextsForTheChecksAndTheReset) {
  ReaderTool t(reader_options(xsim::Protocol::Xerv3, 35), /*japanese=*/true);
  TfrmMain& w = t.w();
  fill(w, {"0", "", "0", "0", "0", "0", "0", "0"});
  w.btnCmd_SJ_Set->click();
  fill(w, {"0", "0", "0", "0", "0", "999", "0", "0"});
  w.btnCmd_SJ_Set->click();
  EXPECT_EQ(t.messages(), (QStringList{"TR1 終了指定を設定してください",
                                       "TR3 終了指定を０－２５５で入力してください"}));
  EXPECT_TRUE(t.commands().empty());

  fill(w, {"0", "0", "0", "0", "0", "255", "0", "0"});
  w.btnCmd_SJ_Set->click();
  EXPECT_EQ(t.status(), "送信範囲設定 OK !! ");
  EXPECT_EQ(t.reader.setting("SJ3"), "300FF");
}

}  // namespace
}  // namespace tooltest
