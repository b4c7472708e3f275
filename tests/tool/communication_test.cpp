// The port group and the communication page against the virtual reader: what goes on the wire,
// what the reader ends up with and what the status line says.
#include <QTimer>

#include "fake_calls.h"
#include "reader_fixture.h"
#include "wait_window.h"

namespace tooltest {
namespace {

// While the window waits in its call, the reader starts to answer NAK once it has seen a
// command that starts with `prefix`: the command after it (the reset) fails.
void nak_after(ReaderTool& t, const std::string& prefix, QTimer& watch) {
  watch.setInterval(2);
  QObject::connect(&watch, &QTimer::timeout, [&t, prefix, &watch] {
    for (const auto& c : t.commands()) {
      if (c.rfind(prefix, 0) == 0) {
        t.reader.nak_next(10);
        watch.stop();
        return;
      }
    }
  });
  watch.start();
}

TEST(Communication, OpenTakesTheModelAndNamesThePort) {
  for (const auto protocol : {xsim::Protocol::Xerv3, xsim::Protocol::Xerv1}) {
    ReaderTool t(reader_options(protocol, 3));
    const bool xerv3 = protocol == xsim::Protocol::Xerv3;
    EXPECT_EQ(t.status(), "Com 3Port Open OK !!");
    EXPECT_EQ(t.tool.dispatch->CurrentModel, xerv3 ? "XERV3" : "XERV1");
    // The model is taken at open only.
    t.w().rdgProtocol->setItemIndex(xerv3 ? 0 : 1);
    t.w().btnPortClose->click();
    EXPECT_EQ(t.status(), "Com Port Close OK !!");
    EXPECT_EQ(t.tool.dispatch->CurrentModel, xerv3 ? "XERV3" : "XERV1");
  }
}

TEST(Communication, OpenFailureShowsTheCodeAndCloseAlwaysSaysOk) {
  ProgramFolder folder;
  xtest::com_dir();
  Tool tool(folder);
  TfrmMain& w = tool.w();
  w.rdgProtocol->setItemIndex(0);
  w.edtComPort->setText("3");  // nothing behind COM3 here
  w.btnPortOpen->click();
  EXPECT_EQ(tool.status(), "Com 3Port Open Error 9002");
  EXPECT_EQ(tool.dispatch->CurrentModel, "XERV1");
  w.btnPortClose->click();
  EXPECT_EQ(tool.status(), "Com Port Close OK !!");
}

TEST(Communication, TheInitialSelectionsSendTheLibraryDefaults) {
  ProgramFolder folder;
  Tool tool(folder, Libs::Fakes);
  FakeCalls fake;
  fake.clear();
  tool.w().btnComSetting->click();
  EXPECT_EQ(tool.status(), tool.w().message("Msg_PC_rs_CommSettings") + " Ok!!");
  tool.w().cmdSetComFormat_PC->click();
  EXPECT_EQ(tool.status(), tool.w().message("Msg_PC_rs_CommFormat_Set") + " Ok!! ");
  EXPECT_EQ(std::string(fake.calls()),
            "xerv3:rs_CommSettings(1,1,1,0)\n"
            "xerv3:rs_CommFormat_Set(1,4,1,0,00,00,00)\n");
}

TEST(Communication, TheNextCommandGoesOutInTheFrameFormatSet) {
  ReaderTool t(reader_options(xsim::Protocol::Xerv3, 4));
  TfrmMain& w = t.w();
  // Both ends without a block check.
  ASSERT_TRUE(t.reader.set_setting("SN", "1400"));
  t.reader.change_state([](xsim::ReaderState& s) { s.format = s.settings.frame_format(); });
  w.cboBCC_PC->setCurrentIndex(0);
  w.cmdSetComFormat_PC->click();
  t.mark();
  w.btnVerInfoGet->click();
  EXPECT_TRUE(t.status().startsWith("ProgVersion_Read Command Ok!! ")) << t.status().toStdString();
  const auto frames = t.reader.received();
  ASSERT_FALSE(frames.empty());
  const auto& raw = frames.back().raw;
  EXPECT_EQ(std::string(raw.begin(), raw.end()), "\x02VR\x03");
}

TEST(Communication, ReaderLineSettingsAndFrameFormatComeIntoTheControls) {
  ReaderTool t(reader_options(xsim::Protocol::Xerv3, 6));
  TfrmMain& w = t.w();
  ASSERT_TRUE(t.reader.set_setting("SR", "1103125"));
  w.btnComGet->click();
  EXPECT_EQ(t.status(), w.message("Msg_rs_CommSettings") + " Ok!! 1103125");
  EXPECT_EQ(w.cboComBit->currentIndex(), 1);
  EXPECT_EQ(w.cboComParity->currentIndex(), 1);
  EXPECT_EQ(w.cboComStopBit->currentIndex(), 0);
  EXPECT_EQ(w.cboBaudRate->currentIndex(), 3);
  EXPECT_EQ(w.cboComSignal->currentIndex(), 1);
  EXPECT_EQ(w.edtComRetry->text(), "2");
  EXPECT_EQ(w.edtComTimeOut->text(), "5");

  ASSERT_TRUE(t.reader.set_setting("SN", "14100203FF"));
  w.cmdGetComFormat->click();
  EXPECT_EQ(t.status(), w.message("Msg_rs_CommFormat_Set") + " Ok!! 14100203FF");
  EXPECT_EQ(w.cboComSTX->currentIndex(), 1);
  EXPECT_EQ(w.cboComETX->currentIndex(), 4);
  EXPECT_EQ(w.cboComBCC->currentIndex(), 1);
  EXPECT_EQ(w.cboComUS->currentIndex(), 0);
  EXPECT_EQ(w.edtUserSTX->text(), "02");
  EXPECT_EQ(w.edtUserETX->text(), "03");
  EXPECT_EQ(w.edtUserUS->text(), "FF");
  EXPECT_TRUE(t.messages().isEmpty());
}

// Every reader-side control filled, as after a Get.
void fill_reader_controls(TfrmMain& w) {
  for (QComboBox* c : {w.cboComBit, w.cboComParity, w.cboComStopBit, w.cboBaudRate,
                       w.cboComSignal, w.cboComSTX, w.cboComETX, w.cboComBCC, w.cboComUS}) {
    c->setCurrentIndex(0);
  }
  w.cboComSTX->setCurrentIndex(1);
  w.cboComETX->setCurrentIndex(4);
  w.cboComBCC->setCurrentIndex(1);
  for (QLineEdit* e : {w.edtComRetry, w.edtComTimeOut}) e->setText("3");
  for (QLineEdit* e : {w.edtUserSTX, w.edtUserETX, w.edtUserUS}) e->setText("00");
}

TEST(Communication, ReaderLineSettingsSetChangesTheReaderAndResetsIt) {
  ReaderTool t(reader_options(xsim::Protocol::Xerv3, 8));
  TfrmMain& w = t.w();
  fill_reader_controls(w);
  w.cboComBit->setCurrentIndex(0);
  w.cboComParity->setCurrentIndex(2);
  w.cboComStopBit->setCurrentIndex(1);
  w.cboBaudRate->setCurrentIndex(2);
  w.cboComSignal->setCurrentIndex(0);
  w.edtComRetry->setText("4");
  w.edtComTimeOut->setText("6");
  w.btnComSet->click();
  EXPECT_EQ(t.status(), w.message("Msg_rs_CommSettings") + " Ok!! ");
  EXPECT_EQ(t.reader.setting("SR").value_or(""), "0212046");
  const auto sent = t.commands();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0], "SR0212046");

  w.cboComETX->setCurrentIndex(3);
  w.edtUserSTX->setText("0A");
  w.edtUserETX->setText("0B");
  w.edtUserUS->setText("0C");
  t.mark();
  w.cmdSetComFormat->click();
  EXPECT_EQ(t.status(), w.message("Msg_rs_CommFormat_Set") + " Ok!! ");
  ASSERT_EQ(t.commands().size(), 2u);
  EXPECT_EQ(t.commands()[0].substr(0, 6), "SN1310");
  EXPECT_EQ(t.commands()[1], sent[1]) << "the reset follows the change";
}

TEST(Communication, AFailingResetAfterASetShowsTheResetCode) {
  ReaderTool t(reader_options(xsim::Protocol::Xerv3, 9));
  TfrmMain& w = t.w();
  fill_reader_controls(w);
  QTimer watch;
  nak_after(t, "SR", watch);
  w.btnComSet->click();
  const QString m = w.message("Msg_rs_CommSettings");
  EXPECT_TRUE(t.status().startsWith(m + " (R) NG !! ")) << t.status().toStdString();
  EXPECT_FALSE(t.status().endsWith(" 0"));
}

TEST(Communication, AReplyThatIsNotADigitStopsAtThatCharacter) {
  ReaderTool t(reader_options(xsim::Protocol::Xerv3, 10));
  TfrmMain& w = t.w();
  // The reader's reply is 1, 1, then a letter: the first two lists take their positions, the
  // rest keep what they showed.
  t.answer_next_with("SR11X3125");
  w.cboComStopBit->setCurrentIndex(1);
  w.cboBaudRate->setCurrentIndex(0);
  w.edtComRetry->setText("9");
  w.btnComGet->click();
  ASSERT_EQ(t.messages().size(), 1);
  EXPECT_EQ(t.messages()[0], "'X' is not a valid integer value");
  EXPECT_EQ(w.cboComBit->currentIndex(), 1);
  EXPECT_EQ(w.cboComParity->currentIndex(), 1);
  EXPECT_EQ(w.cboComStopBit->currentIndex(), 1);
  EXPECT_EQ(w.cboBaudRate->currentIndex(), 0);
  EXPECT_EQ(w.edtComRetry->text(), "9");
  // A digit past a list's end leaves that list without a selection.
  t.answer_next_with("SR1193125");
  w.btnComGet->click();
  EXPECT_EQ(w.cboComStopBit->currentIndex(), -1);
  EXPECT_EQ(w.cboBaudRate->currentIndex(), 3);
}

TEST(Communication, VersionAndProtocolByte) {
  auto options = reader_options(xsim::Protocol::Xerv3, 11);
  options.version = "ABCDEFGHIJ261210";
  ReaderTool t(options);
  TfrmMain& w = t.w();
  w.btnVerInfoGet->click();
  EXPECT_EQ(t.status(), "ProgVersion_Read Command Ok!! ABCDEFGHIJ261210");
  EXPECT_EQ(w.lblVerInfo_verinfo->text(), "ABCDEFGHIJ");
  EXPECT_EQ(w.lblVerInfo_dateinfo->text(), "261210");

  for (const auto& [byte, item] : {std::pair{0x00, 1}, {0x01, 0}, {0xFF, 0}}) {
    t.reader.change_state([b = byte](xsim::ReaderState& s) { s.eeprom.bytes()[0x2C] = b; });
    w.rdgProtocolChg->setItemIndex(-1);
    t.mark();
    w.btnGetProtocolChg->click();
    EXPECT_EQ(t.status(), "EE_Read Protocol OK !! ");
    EXPECT_EQ(w.rdgProtocolChg->itemIndex(), item) << byte;
    const auto sent = t.commands();
    ASSERT_EQ(sent.size(), 3u);
    EXPECT_EQ(sent[1], "ER2C");
    EXPECT_FALSE(w.frmWait->isVisible());
    EXPECT_TRUE(w.isEnabled());
  }
}

TEST(Communication, ProtocolSetGoesThroughTheLibraryTheSelectorPicks) {
  ReaderTool t(reader_options(xsim::Protocol::Xerv3, 12));
  TfrmMain& w = t.w();
  w.rdgProtocolChg->setItemIndex(0);
  w.btnSetProtocolChg->click();
  EXPECT_EQ(t.status(), "Comm Protocol Set Ok!! ");
  EXPECT_EQ(t.reader.protocol(), xsim::Protocol::Xerv1);
  auto sent = t.commands();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0], "PSC");
  EXPECT_EQ(sent[1], "PR1");
  EXPECT_EQ(t.tool.dispatch->CurrentModel, "XERV3") << "the model changes only at open";
  EXPECT_FALSE(w.frmWait->isVisible());
  EXPECT_TRUE(w.isEnabled());

  // Back, through the other library, once the port is opened for the protocol now spoken.
  w.btnPortClose->click();
  w.rdgProtocol->setItemIndex(0);
  w.btnPortOpen->click();
  t.mark();
  w.rdgProtocolChg->setItemIndex(1);
  w.btnSetProtocolChg->click();
  EXPECT_EQ(t.status(), "Comm Protocol Set Ok!! ");
  EXPECT_EQ(t.reader.protocol(), xsim::Protocol::Xerv3);
  sent = t.commands();
  ASSERT_EQ(sent.size(), 2u);
  EXPECT_EQ(sent[0], ":0123456789");
  EXPECT_EQ(sent[1], "<0");
}

TEST(Communication, ProtocolSetIgnoresTheModelAndReportsFailuresInTheLanguage) {
  {
    ProgramFolder folder;
    Tool tool(folder, Libs::Fakes);
    FakeCalls fake;
    tool.dispatch->CurrentModel = "XERV1";
    fake.clear();
    tool.w().rdgProtocolChg->setItemIndex(0);
    tool.w().btnSetProtocolChg->click();
    EXPECT_EQ(std::string(fake.calls()), "xerv3:StatusCheck\nxerv3:ProtocolChange\n");
  }
  // Opened for XERV1, the XERV3COM library has no port: its status check fails.
  ReaderTool t(reader_options(xsim::Protocol::Xerv1, 13), /*japanese=*/true);
  t.mark();
  t.w().rdgProtocolChg->setItemIndex(0);
  t.w().btnSetProtocolChg->click();
  EXPECT_EQ(t.status(), QStringLiteral("通信プロトコル 設定 NG !! -1"));
  EXPECT_TRUE(t.commands().empty());
  EXPECT_EQ(t.reader.protocol(), xsim::Protocol::Xerv1);
}

TEST(Communication, TheWaitWindowStaysLiveWhileThePagesTakeNoInput) {
  ReaderTool t(reader_options(xsim::Protocol::Xerv3, 15));
  TfrmMain& w = t.w();
  t.reader.ignore_next(1);  // the open is answered late: the handler waits in its call
  bool sampled = false, wait_enabled = false, wait_shown = false, page_enabled = true;
  QTimer::singleShot(300, &w, [&] {
    sampled = true;
    wait_shown = w.frmWait->isVisible();
    wait_enabled = w.frmWait->isEnabled();
    page_enabled = w.btnAll_Get->isEnabled();
  });
  w.btnGetProtocolChg->click();
  ASSERT_TRUE(sampled);
  EXPECT_TRUE(wait_shown);
  EXPECT_TRUE(wait_enabled) << "the wait window's text is drawn greyed";
  EXPECT_FALSE(page_enabled);
  EXPECT_TRUE(w.btnAll_Get->isEnabled());
  EXPECT_FALSE(w.frmWait->isVisible());
}

TEST(Communication, AFailedProtocolReadLeavesTheEepromOpen) {
  ReaderTool t(reader_options(xsim::Protocol::Xerv3, 14));
  TfrmMain& w = t.w();
  // An address the reader refuses stands for a failing read: the reader NAKs the read only.
  QTimer watch;
  nak_after(t, "EO", watch);
  w.btnGetProtocolChg->click();
  EXPECT_TRUE(t.status().startsWith("EE_Read Protocol NG !! ")) << t.status().toStdString();
  for (const auto& c : t.commands()) EXPECT_NE(c, "EC") << "no close after a failed read";
  EXPECT_FALSE(w.frmWait->isVisible());
}

}  // namespace
}  // namespace tooltest
