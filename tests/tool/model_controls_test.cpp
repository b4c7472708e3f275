// The XERV3-only controls follow the protocol chosen at each port open, also when the port
// cannot be opened.
#include "radio_group.h"
#include "window_fixture.h"

namespace tooltest {
namespace {

void open_as(Tool& tool, int protocol, const char* port) {
  tool.w().rdgProtocol->setItemIndex(protocol);
  tool.w().edtComPort->setText(port);
  tool.w().btnPortOpen->click();
}

TEST(ModelControls, Xerv1DisablesTheXerv3OnlyControlsAndXerv3EnablesThemAgain) {
  ProgramFolder folder;
  Tool tool(folder);
  TfrmMain& w = tool.w();
  open_as(tool, 0, "200");  // no such port
  EXPECT_EQ(tool.dispatch->CurrentModel, "XERV1");
  EXPECT_EQ(tool.status(), "Com 200Port Open Error 9002");
  for (QWidget* off : std::initializer_list<QWidget*>{
           w.grpCmd_SH, w.btnCmd_SH_Set, w.grpCmd_SY, w.grpCmd_SB, w.edtCmd_SL_p5, w.grpCmd_SG,
           w.grbVerInfo, w.btnCmd_SJ_Get, w.btnCmd_SJ_Set, w.grpCmd_SJ_TR1, w.edtSndPos_TR4_END1,
           w.cboUS_PC, w.edtUserUS}) {
    EXPECT_FALSE(off->isEnabled()) << off->objectName().toStdString();
  }
  for (QWidget* on : std::initializer_list<QWidget*>{
           w.grpCmd_SS, w.grpCmd_SP, w.grpCmd_SM, w.grpCmd_SV, w.grbComControl, w.GrbComPort,
           w.grbProtocolChg}) {
    EXPECT_TRUE(on->isEnabled()) << on->objectName().toStdString();
  }
  EXPECT_EQ(w.cboComBit_PC->currentIndex(), 0);

  open_as(tool, 1, "201");
  EXPECT_EQ(tool.dispatch->CurrentModel, "XERV3");
  EXPECT_EQ(tool.status(), "Com 201Port Open Error 9002");
  for (QWidget* on : std::initializer_list<QWidget*>{w.grpCmd_SH, w.btnCmd_SJ_Set,
                                                       w.grpCmd_SJ_TR4, w.lblSndPos_TR2_reng,
                                                       w.cboUS_PC, w.grbVerInfo}) {
    EXPECT_TRUE(on->isEnabled()) << on->objectName().toStdString();
  }
  EXPECT_EQ(w.cboComBit_PC->currentIndex(), 1);
}

TEST(ModelControls, TheModelIsTakenOnlyAtOpenAndCloseAlwaysReportsOk) {
  ProgramFolder folder;
  Tool tool(folder);
  open_as(tool, 0, "200");
  tool.w().btnPortClose->click();
  EXPECT_EQ(tool.status(), "Com Port Close OK !!");
  tool.w().rdgProtocol->setItemIndex(1);
  EXPECT_EQ(tool.dispatch->CurrentModel, "XERV1");
  EXPECT_FALSE(tool.w().grpCmd_SH->isEnabled());
}

}  // namespace
}  // namespace tooltest
