// The information sweep against the virtual reader: what it asks in which order under each
// protocol, which groups the reader's switches and firmware leave usable, its progress, and how
// it ends when the reader is silent or answers something the window cannot read.
#include <QProgressBar>
#include <algorithm>

#include "radio_group.h"
#include "reader_fixture.h"
#include "reader_state.h"
#include "wait_window.h"

namespace tooltest {
namespace {

using Commands = std::vector<std::string>;

// The EEPROM open command carries the access code: it is shown by its letters alone.
Commands letters_of_open(Commands commands, std::string_view open) {
  for (std::string& c : commands) {
    if (c.size() > open.size() && c.rfind(open, 0) == 0) c = open;
  }
  return commands;
}

// The progress bar's values during one sweep, and whether the wait window is gone after it.
struct SweepRun {
  std::vector<int> progress;
  int maximum = 0;
  bool wait_closed = false;
  bool window_enabled = false;
};

SweepRun sweep(ReaderTool& t) {
  SweepRun run;
  QProgressBar* bar = t.w().frmWait->prgWait;
  const auto c =
      QObject::connect(bar, &QProgressBar::valueChanged, [&](int v) { run.progress.push_back(v); });
  t.w().btnAll_Get->click();
  QObject::disconnect(c);
  run.maximum = bar->maximum();
  run.wait_closed = !t.w().frmWait->isVisible();
  run.window_enabled = t.w().isEnabled();
  return run;
}

// The bar starts at 0 and moves by one with each step.
std::vector<int> zero_to(int n) {
  std::vector<int> v;
  for (int i = 0; i <= n; ++i) v.push_back(i);
  return v;
}

TEST(Sweep, Xerv3AsksEverySettingInOrderAndShowsItsProgress) {
  ReaderTool t(reader_options(xsim::Protocol::Xerv3, 40));
  ASSERT_TRUE(t.reader.set_setting("SJ2", "20A10"));
  const SweepRun run = sweep(t);
  EXPECT_EQ(letters_of_open(t.commands(), "EO"),
            (Commands{"SP",  "EO",  "ER45", "ER00", "ER08", "ER10", "ER18", "EC", "SH", "SJ1",
                      "SJ2", "SJ3", "SJ4",  "PT0",  "SS",   "SM",   "VR",   "SY", "SR", "SN",
                      "SB",  "SL",  "SG",   "SV",   "VR",   "EO",   "ER2C", "EC"}));
  // The power on/off query and twelve steps.
  EXPECT_EQ(run.maximum, 13);
  EXPECT_EQ(run.progress, zero_to(13));
  EXPECT_TRUE(run.wait_closed);
  EXPECT_TRUE(run.window_enabled);
  EXPECT_TRUE(t.messages().isEmpty());
  EXPECT_EQ(t.w().edtSndPos_TR2_ST1->text(), "10");
  // The last step's text stays.
  EXPECT_TRUE(t.status().startsWith("EE_Read Protocol")) << t.status().toStdString();
}

TEST(Sweep, Xerv1AsksSixThingsAfterPowerAndLeavesTheXerv3GroupsAlone) {
  ReaderTool t(reader_options(xsim::Protocol::Xerv1, 41));
  TfrmMain& w = t.w();
  // Switch 5 off: no write mode query after the switches are read.
  ASSERT_TRUE(t.reader.set_dip_switches("00010000"));
  w.ragCmd_SH_p2->setItemIndex(1);
  w.edtCmd_SY->setText("5");
  w.edtCmd_SB_p2->setText("7");
  w.ragCmd_SL_p1->setItemIndex(0);
  w.ragCmd_SG->setItemIndex(1);
  const SweepRun run = sweep(t);
  EXPECT_EQ(letters_of_open(t.commands(), "p"),
            (Commands{"e", "c", "g", "f", "b", "p", "s2C", "v", "k0", "h"}));
  EXPECT_EQ(run.maximum, 7);
  EXPECT_EQ(run.progress, zero_to(7));
  EXPECT_TRUE(run.wait_closed);
  EXPECT_EQ(w.ragCmd_SH_p2->itemIndex(), 1);
  EXPECT_EQ(w.edtCmd_SY->text(), "5");
  EXPECT_EQ(w.edtCmd_SB_p2->text(), "7");
  EXPECT_EQ(w.ragCmd_SL_p1->itemIndex(), 0);
  EXPECT_EQ(w.ragCmd_SG->itemIndex(), 1);
  EXPECT_FALSE(w.grpCmd_SH->isEnabled());
  EXPECT_FALSE(w.grpCmd_SY->isEnabled());
  EXPECT_TRUE(w.grpCmd_SS->isEnabled());
  EXPECT_FALSE(w.grpCmd_SM->isEnabled());
  EXPECT_FALSE(w.btnCmd_SM_Get->isEnabled());
}

TEST(Sweep, SwitchFourOffAndFirmwareOneLeaveShutterAndRetryOff) {
  ReaderTool t(reader_options(xsim::Protocol::Xerv3, 42));
  TfrmMain& w = t.w();
  ASSERT_TRUE(t.reader.set_dip_switches("00001000"));
  t.reader.change_state([](xsim::ReaderState& s) { s.version = "XSI1  1.00240601"; });
  sweep(t);
  const Commands sent = t.commands();
  EXPECT_EQ(std::count(sent.begin(), sent.end(), "SS"), 0);
  EXPECT_EQ(std::count(sent.begin(), sent.end(), "SY"), 0);
  EXPECT_EQ(std::count(sent.begin(), sent.end(), "SM"), 1);
  for (QWidget* c :
       {static_cast<QWidget*>(w.grpCmd_SS), static_cast<QWidget*>(w.ragCmd_SS_p1),
        static_cast<QWidget*>(w.btnCmd_SS_Get), static_cast<QWidget*>(w.btnCmd_SS_Set),
        static_cast<QWidget*>(w.grpCmd_SY), static_cast<QWidget*>(w.edtCmd_SY),
        static_cast<QWidget*>(w.btnCmd_SY_Get), static_cast<QWidget*>(w.btnCmd_SY_Set)}) {
    EXPECT_FALSE(c->isEnabled()) << c->objectName().toStdString();
  }
  EXPECT_TRUE(w.grpCmd_SM->isEnabled());
}

TEST(Sweep, AReaderThatDoesNotAnswerPowerEndsItWithTheConnectText) {
  {
    ReaderTool t(reader_options(xsim::Protocol::Xerv3, 43));
    t.reader.ignore_next(1);
    const SweepRun run = sweep(t);
    EXPECT_EQ(t.commands(), Commands{"SP"});
    EXPECT_EQ(t.status(), "I was unable to connect with the KVX.");
    EXPECT_TRUE(run.wait_closed);
    EXPECT_TRUE(run.window_enabled);
  }
  {
    // Refused three times is no answer either.
    ReaderTool t(reader_options(xsim::Protocol::Xerv1, 44), /*japanese=*/true);
    t.reader.nak_next(3);
    sweep(t);
    EXPECT_EQ(t.commands(), (Commands{"e", "e", "e"}));
    EXPECT_EQ(t.status(), "   ＫＶＸと接続できませんでした。");
    EXPECT_TRUE(t.messages().isEmpty());
  }
}

TEST(Sweep, AReplyThatIsNoNumberEndsItSilently) {
  ReaderTool t(reader_options(xsim::Protocol::Xerv3, 45));
  // The track arrangement "0A" is no decimal number.
  t.reader.change_state([](xsim::ReaderState& s) { s.eeprom.bytes()[0x45] = 0x0A; });
  const SweepRun run = sweep(t);
  EXPECT_EQ(letters_of_open(t.commands(), "EO"), (Commands{"SP", "EO", "ER45"}));
  EXPECT_TRUE(t.messages().isEmpty());
  EXPECT_TRUE(run.wait_closed);
  EXPECT_TRUE(run.window_enabled);
  EXPECT_EQ(run.progress, zero_to(1));
  EXPECT_TRUE(t.status().startsWith(t.w().message("MsgCmd_SP") + " Ok!! "));
}

}  // namespace
}  // namespace tooltest
