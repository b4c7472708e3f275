// The information sweep: every setting of the connected reader read in one go, and the groups
// that depend on its DIP switches and firmware.
#include <array>
#include <exception>
#include <initializer_list>
#include <span>

#include "radio_group.h"
#include "reply_text.h"
#include "setting_command.h"
#include "tfrm_main.h"

namespace {

using Step = void (TfrmMain::*)();

// What the sweep reads after the power on/off setting, in this order. An XERV1 reader has
// neither the track formats nor the SH, SY, SB, SL and SG settings nor a firmware group.
constexpr Step kXerv1Steps[] = {
    &TfrmMain::btnCmd_SM_GetClick,     &TfrmMain::btnComGetClick,
    &TfrmMain::cmdGetComFormatClick,   &TfrmMain::btnCmd_SV_GetClick,
    &TfrmMain::btnGetProtocolChgClick, &TfrmMain::ApplySwitchAndVersionControls,
};
constexpr Step kXerv3Steps[] = {
    &TfrmMain::LoadTrackFormats,   &TfrmMain::btnCm_SH_GetClick,
    &TfrmMain::btnCmd_SJ_GetClick, &TfrmMain::ApplySwitchAndVersionControls,
    &TfrmMain::btnComGetClick,     &TfrmMain::cmdGetComFormatClick,
    &TfrmMain::btnCmd_SB_GetClick, &TfrmMain::btnCmd_SL_GetClick,
    &TfrmMain::btnCmd_SG_GetClick, &TfrmMain::btnCmd_SV_GetClick,
    &TfrmMain::btnVerInfoGetClick, &TfrmMain::btnGetProtocolChgClick,
};

void set_enabled(std::initializer_list<QWidget*> controls, bool enabled) {
  for (QWidget* w : controls) w->setEnabled(enabled);
}

}  // namespace

void TfrmMain::btnAll_GetClick() {
  const WaitScope wait(*this);

  const bool xerv1 = d_.CurrentModel == "XERV1";
  const std::span<const Step> steps =
      xerv1 ? std::span<const Step>(kXerv1Steps) : std::span<const Step>(kXerv3Steps);
  // The power on/off query first, then each step.
  const int count = 1 + static_cast<int>(steps.size());
  SetWaitProgress(0, count);
  try {
    if (readPowerOnOff() != 0) {
      // The first question went unanswered: there is no reader to sweep.
      setStatus(d_.japanese() ? QStringLiteral("   ＫＶＸと接続できませんでした。")
                              : QStringLiteral("I was unable to connect with the KVX."));
      return;
    }
    int done = 1;
    SetWaitProgress(done, count);
    for (const Step step : steps) {
      (this->*step)();
      SetWaitProgress(++done, count);
    }
  } catch (const std::exception&) {
    // A reply the window cannot read ends the sweep quietly; what was read so far stays shown.
  }
}

void TfrmMain::ApplySwitchAndVersionControls() {
  {
    std::array<char, xtool::kDipSwitchOutput> out{};
    const auto result = d_.Dipsw_Read(out.data());
    if (result != 0) {
      setStatus(message("MsgCmd_SS") + QStringLiteral(" NG !! ") + QString::number(result));
    } else {
      const std::string reply = xtool::ReplyText(out.data(), out.size());
      // Switch 4 off: the reader has no shutter setting; switch 5 off: no write mode setting.
      const bool shutter = xtool::ReplyPart(reply, 4, 1) != "0";
      set_enabled({grpCmd_SS, ragCmd_SS_p1, btnCmd_SS_Get, btnCmd_SS_Set}, shutter);
      if (shutter) btnCmd_SS_GetClick();
      const bool writer = xtool::ReplyPart(reply, 5, 1) != "0";
      set_enabled({grpCmd_SM, ragCmd_SM, btnCmd_SM_Get, btnCmd_SM_Set}, writer);
      if (writer) btnCmd_SM_GetClick();
    }
  }
  if (!d_.xerv3()) return;

  std::array<char, xtool::kVersionOutput> out{};
  const auto result = d_.ProgVersion_Read(out.data());
  if (result != 0) {
    setStatus(QStringLiteral("ProgVersion_Read Command NG !! ") + QString::number(result));
    return;
  }
  const std::string reply = xtool::ReplyText(out.data(), out.size());
  // Firmware whose fourth version character is 1 has no retry count setting.
  const bool retry = xtool::ReplyPart(reply, 4, 1) != "1";
  set_enabled({grpCmd_SY, edtCmd_SY, btnCmd_SY_Get, btnCmd_SY_Set}, retry);
  if (retry) btnCmd_SY_GetClick();
}
