// The card operations page against the virtual reader: the variant, the test commands and the
// poll that shows each card's tracks.
#include "fake_calls.h"
#include "reader_fixture.h"

namespace tooltest {
namespace {

using xsim::Track;

struct CardPage : ReaderTool {
  explicit CardPage(xsim::Protocol protocol, unsigned com)
      : ReaderTool(reader_options(protocol, com)) {
    w().cboModel->setCurrentIndex(1);  // KVX-B, 101: the reader's three-track layout
    w().btnModel->click();
    EXPECT_EQ(status(), "Model Setup OK !!");
  }
  void read(xsim::Card card) {
    reader.present_card(std::move(card));
    mark();
    w().ragCommand1->setItemIndex(0);
    w().btnCommand1->click();
    EXPECT_EQ(status(), "MagCard_Read Command Ok!!");
  }
  // Waits for the poll to show a card: until track 1's result panel is filled.
  bool shown() {
    return QTest::qWaitFor([this] { return !w().pnlTrk1_Result->text().isEmpty(); }, 5000);
  }
  std::vector<std::string> row(int track) {
    QLabel* len[] = {w().pnlTrk1Len, w().pnlTrk2Len, w().pnlTrk3Len, w().pnlTrk4Len};
    QLabel* result[] = {w().pnlTrk1_Result, w().pnlTrk2_Result, w().pnlTrk3_Result,
                        w().pnlTrk4_Result};
    QLineEdit* data[] = {w().EdtTrk1, w().EdtTrk2, w().EdtTrk3, w().EdtTrk4};
    const int i = track - 1;
    return {len[i]->text().toStdString(), result[i]->text().toStdString(),
            data[i]->text().toStdString()};
  }
};

using Row = std::vector<std::string>;

TEST(CardPage, TheVariantMustBeSetBeforeACommandCanBeSent) {
  ProgramFolder folder;
  Tool tool(folder, Libs::Fakes);
  TfrmMain& w = tool.w();
  FakeCalls fake;
  fake.clear();
  EXPECT_FALSE(w.btnCommand1->isEnabled());
  EXPECT_FALSE(w.Timer1->isActive());
  // A typed text that names no item passes -1 on; a refusal leaves the command disabled, and
  // the poll starts all the same.
  fake.set_result("Connection_Model_Setup", 905);
  w.cboModel->setEditText("KVX-Z");
  w.btnModel->click();
  EXPECT_EQ(tool.status(), "Model Setup NG Error 905");
  EXPECT_FALSE(w.btnCommand1->isEnabled());
  EXPECT_TRUE(w.Timer1->isActive());
  fake.set_result("Connection_Model_Setup", 0);
  w.cboModel->setEditText("kvx-f");  // an item's name, in any case, selects that item
  w.btnModel->click();
  EXPECT_EQ(tool.status(), "Model Setup OK !!");
  EXPECT_TRUE(w.btnCommand1->isEnabled());
  const std::string calls = fake.calls();
  EXPECT_NE(calls.find("xerv3:Connection_Model_Setup(4294967295)\n"), std::string::npos);
  EXPECT_NE(calls.find("xerv3:Connection_Model_Setup(105)\n"), std::string::npos);
}

TEST(CardPage, EachTrackShowsItsDataOrItsError) {
  CardPage t(xsim::Protocol::Xerv3, 51);
  t.read(xsim::Card{{Track::text("%B1234567890?"), Track::error(4), Track::text("0123")}});
  ASSERT_TRUE(t.shown());
  EXPECT_EQ(t.row(1), (Row{"13", "OK", "%B1234567890?"}));
  EXPECT_EQ(t.row(2), (Row{"", "LRC ERROR", ""}));
  EXPECT_EQ(t.row(3), (Row{"4", "OK", "0123"}));
  const auto sent = t.commands();
  ASSERT_FALSE(sent.empty());
  EXPECT_EQ(sent[0], "CRC") << "mode C, every track";

  // Later polls find no new result and leave the tracks alone.
  t.w().EdtTrk3->setText("kept");
  QTest::qWait(700);
  EXPECT_EQ(t.row(3), (Row{"4", "OK", "kept"}));

  // Data Clear: the tracks that had data show length 0, the others stay empty.
  t.w().btnDataClear->click();
  EXPECT_EQ(t.row(1), (Row{"0", "", ""}));
  EXPECT_EQ(t.row(2), (Row{"", "", ""}));
  EXPECT_EQ(t.row(3), (Row{"0", "", ""}));
}

TEST(CardPage, AnUnknownErrorCodeShowsAnEmptyPanelAndALongerCardComesWhole) {
  CardPage t(xsim::Protocol::Xerv3, 52);
  t.read(xsim::Card{{Track::text("1"), Track::error(7), Track::text("2")}});
  ASSERT_TRUE(t.shown());
  EXPECT_EQ(t.row(2), (Row{"", "", ""}));
  const std::string longest(104, '7');
  t.read(xsim::Card{{Track::text("11"), Track::text("22"), Track::text(longest)}});
  ASSERT_TRUE(t.shown());
  EXPECT_EQ(t.row(2), (Row{"2", "OK", "22"}));
  EXPECT_EQ(t.row(3), (Row{"104", "OK", longest}));
}

TEST(CardPage, Xerv1ReadsWithItsOwnCommand) {
  CardPage t(xsim::Protocol::Xerv1, 53);
  t.read(xsim::Card{{Track::text("AB"), Track::text("CDE"), Track::text("F")}});
  ASSERT_TRUE(t.shown());
  EXPECT_EQ(t.row(1), (Row{"2", "OK", "AB"}));
  EXPECT_EQ(t.row(2), (Row{"3", "OK", "CDE"}));
}

TEST(CardPage, TheOtherCommandsAndNoCommand) {
  CardPage t(xsim::Protocol::Xerv3, 54);
  TfrmMain& w = t.w();
  w.EdtTrk1->setText("old");
  w.ragCommand1->setItemIndex(-1);
  t.mark();
  w.btnCommand1->click();
  EXPECT_EQ(t.status(), "");
  EXPECT_EQ(t.row(1), (Row{"0", "", ""}));
  for (const auto& [item, text] : {std::pair{1, "Op_Prohibition Command Ok!!"},
                                   {2, "Reset_Device Command Ok!!"}}) {
    w.ragCommand1->setItemIndex(item);
    w.btnCommand1->click();
    EXPECT_EQ(t.status(), text);
  }
  t.reader.ignore_next(10);
  w.btnCommand1->click();
  EXPECT_TRUE(t.status().startsWith("Reset_Device Command NG !! ")) << t.status().toStdString();
}

}  // namespace
}  // namespace tooltest
