// The first device settings page: card insertion end (SH), shutter (SS), power on/off (SP),
// write mode (SM) and retry count (SY). Each Set checks its controls, sends the new value and
// resets the reader; each Get queries the reader and puts the reply into the controls.
#include <iterator>

#include "radio_group.h"
#include "setting_command.h"
#include "tfrm_main.h"

using xtool::IndexText;
using xtool::OutputBuffer;
using xtool::SettingStatus;
using xtool::ToCString;

namespace {

// The end modes of ragCmd_SH_p2 by item position, as the reader names them.
constexpr const char* kShEndModes[] = {"F0", "F1", "S0"};
constexpr int kShTimedMode = 1;  // F1: the card is held with a timer (the p3 group)

}  // namespace

void TfrmMain::btnCmd_SH_SetClick() {
  const int mode = ragCmd_SH_p2->itemIndex();
  if (mode < 0 || mode >= static_cast<int>(std::size(kShEndModes))) {
    return showMessageBox(message("MsgCmd_SH_p2_InputError"));
  }
  // The timer part goes only with the timed mode; the other modes take no third value.
  std::string timer;
  if (mode == kShTimedMode) {
    const int expiry = ragCmd_SH_p31->itemIndex();
    if (expiry < 0) return showMessageBox(message("MsgCmd_SH_p31_InputError"));
    if (expiry == 0) {
      timer = "F00";
    } else {
      const QString seconds = edtCmd_SH_p32->text();
      if (seconds.isEmpty()) return showMessageBox(message("MsgCmd_SH_p32_InputError"));
      // Joined as Qt text: GCC 12 warns falsely (-Wrestrict) about the std::string forms.
      timer = ((expiry == 1 ? QStringLiteral("F") : QStringLiteral("S")) + seconds).toStdString();
    }
  }
  const auto p1 = ToCString("F");
  const auto p2 = ToCString(kShEndModes[mode]);
  const auto p3 = ToCString(timer);
  OutputBuffer out(xtool::kCardInstEndOutput);
  const SettingStatus status = statusOf("Msg_Cmd_SH");
  status.set(d_.Xerv3_Card_Inst_End_Set(p1.get(), p2.get(), p3.get(), out.get()), d_,
             xtool::kResetNg);
}

void TfrmMain::btnCm_SH_GetClick() {
  const auto query = ToCString("");
  OutputBuffer out(xtool::kCardInstEndOutput);
  const int32_t result =
      d_.Xerv3_Card_Inst_End_Set(query.get(), query.get(), query.get(), out.get());
  const std::string reply = out.reply();
  const SettingStatus status = statusOf("Msg_Cmd_SH");
  if (!status.got(result, reply)) return;

  const std::string mode = xtool::ReplyPart(reply, 2, 2);
  for (int i = 0; i < static_cast<int>(std::size(kShEndModes)); ++i) {
    if (mode != kShEndModes[i]) continue;
    ragCmd_SH_p2->setItemIndex(i);
    // The timer group follows the mode shown, as when the user picks it.
    ragCmd_SH_p2Click();
  }
  // Only a reply with the timer part carries characters 4 to 6.
  if (reply.size() == 6) {
    if (reply[3] == 'F') ragCmd_SH_p31->setItemIndex(1);
    if (reply[3] == 'S') ragCmd_SH_p31->setItemIndex(2);
    edtCmd_SH_p32->setText(xtool::ReplyQString(xtool::ReplyPart(reply, 5, 2)));
  } else {
    ragCmd_SH_p31->setItemIndex(0);
    edtCmd_SH_p32->clear();
  }
}

void TfrmMain::ragCmd_SH_p2Click() {
  grpCmd_SH_p3->setVisible(ragCmd_SH_p2->itemIndex() == kShTimedMode);
}

void TfrmMain::btnCmd_SS_SetClick() {
  setRadioSetting(ragCmd_SS_p1, "MsgCmd_SS_p1_InputError", "MsgCmd_SS",
                  &xtool::Dispatch::Shutter_Control_Set);
}

void TfrmMain::btnCmd_SS_GetClick() {
  getRadioSetting(ragCmd_SS_p1, "MsgCmd_SS", &xtool::Dispatch::Shutter_Control_Set);
}

// The XERV3 form takes the power-on value and the two fixed "F" values; the XERV1 form takes
// the first alone and adds the rest itself.
void TfrmMain::btnCmd_SP_SetClick() {
  const int index = ragCmd_SP_p1->itemIndex();
  if (index < 0) return showMessageBox(message("MsgCmd_SP_p1_InputError"));
  const auto p1 = ToCString(IndexText(index));
  const auto fixed = ToCString("F");
  OutputBuffer out(xtool::kPowerOnOffOutput);
  const int32_t result = d_.xerv3() ? d_.Xerv3_Power_ON_OFF_Operation_Setup(p1.get(), fixed.get(),
                                                                            fixed.get(), out.get())
                                    : d_.Xerv1_Power_ON_OFF_Operation_Setup(p1.get(), out.get());
  const SettingStatus status = statusOf("MsgCmd_SP");
  status.set(result, d_, xtool::kResetNg);
}

void TfrmMain::btnCmd_SP_GetClick() {
  readPowerOnOff();
}

// The information sweep starts with this query too: its result tells whether a reader answers.
int32_t TfrmMain::readPowerOnOff() {
  const auto query = ToCString("");
  OutputBuffer out(xtool::kPowerOnOffOutput);
  const int32_t result = d_.xerv3() ? d_.Xerv3_Power_ON_OFF_Operation_Setup(
                                          query.get(), query.get(), query.get(), out.get())
                                    : d_.Xerv1_Power_ON_OFF_Operation_Setup(query.get(), out.get());
  const std::string reply = out.reply();
  const SettingStatus status = statusOf("MsgCmd_SP");
  if (status.got(result, reply)) ragCmd_SP_p1->setItemIndex(xtool::DigitAt(reply, 1));
  return result;
}

void TfrmMain::btnCmd_SM_SetClick() {
  setRadioSetting(ragCmd_SM, "MsgCmd_SM_InputError", "MsgCmd_SM", &xtool::Dispatch::Write_Mode_Set);
}

void TfrmMain::btnCmd_SM_GetClick() {
  getRadioSetting(ragCmd_SM, "MsgCmd_SM", &xtool::Dispatch::Write_Mode_Set);
}

void TfrmMain::btnCmd_SY_SetClick() {
  const QString count = edtCmd_SY->text();
  if (count.isEmpty()) return showMessageBox(message("MsgCmd_SY_InputError"));
  const auto p1 = ToCString(count.toStdString());
  OutputBuffer out(xtool::kSingleValueOutput);
  const SettingStatus status = statusOf("MsgCmd_SY");
  status.set(d_.Xerv3_RetryActionCountSet(p1.get(), out.get()), d_, xtool::kPlainNg);
}

void TfrmMain::btnCmd_SY_GetClick() {
  const auto query = ToCString("");
  OutputBuffer out(xtool::kSingleValueOutput);
  const int32_t result = d_.Xerv3_RetryActionCountSet(query.get(), out.get());
  const std::string reply = out.reply();
  const SettingStatus status = statusOf("MsgCmd_SY");
  if (status.got(result, reply))
    edtCmd_SY->setText(xtool::ReplyQString(xtool::ReplyPart(reply, 1, 1)));
}
