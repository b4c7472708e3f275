// The second device settings page: buzzer (SB), LED (SL), their timing (SG) and buzzer volume
// (SV). Each Set checks its controls, sends the new value and resets the reader; each Get
// queries the reader and puts the reply into the controls.
#include <array>

#include "radio_group.h"
#include "setting_command.h"
#include "tfrm_main.h"

using xtool::IndexText;
using xtool::OutputBuffer;
using xtool::SettingStatus;
using xtool::ToCString;

namespace {

// The buzzer and LED groups have the same shape: a radio group and four one-character edits,
// sent as five values in this order and read back from reply characters 1 to 5.
struct OperationGroup {
  TRadioGroup* p1;
  std::array<QLineEdit*, 4> edits;  // p2 .. p5
  std::array<const char*, 5> input_errors;
};

OperationGroup buzzer(TfrmMain& w) {
  return {w.ragCmd_SB_p1,
          {w.edtCmd_SB_p2, w.edtCmd_SB_p3, w.edtCmd_SB_p4, w.edtCmd_SB_p5},
          {"MsgCmd_SB_p1_InputError", "MsgCmd_SB_p2_InputError", "MsgCmd_SB_p3_InputError",
           "MsgCmd_SB_p4_InputError", "MsgCmd_SB_p5_InputError"}};
}

OperationGroup led(TfrmMain& w) {
  return {w.ragCmd_SL_p1,
          {w.edtCmd_SL_p2, w.edtCmd_SL_p3, w.edtCmd_SL_p4, w.edtCmd_SL_p5},
          {"MsgCmd_SL_p1_InputError", "MsgCmd_SL_p2_InputError", "MsgCmd_SL_p3_InputError",
           "MsgCmd_SL_p4_InputError", "MsgCmd_SL_p5_InputError"}};
}

// The key of the first check that fails, or null when all pass.
const char* FirstInputError(const OperationGroup& g) {
  if (g.p1->itemIndex() < 0) return g.input_errors[0];
  for (std::size_t i = 0; i < g.edits.size(); ++i) {
    if (g.edits[i]->text().isEmpty()) return g.input_errors[i + 1];
  }
  return nullptr;
}

std::array<xtool::CString, 5> OperationValues(const OperationGroup& g) {
  return {ToCString(IndexText(g.p1->itemIndex())), ToCString(g.edits[0]->text().toStdString()),
          ToCString(g.edits[1]->text().toStdString()), ToCString(g.edits[2]->text().toStdString()),
          ToCString(g.edits[3]->text().toStdString())};
}

// Reply character 1 selects the radio item (read first: a non-number changes nothing), 2 to 5
// go into the edits.
void ShowOperation(const OperationGroup& g, std::string_view reply) {
  const int index = xtool::DigitAt(reply, 1);
  g.p1->setItemIndex(index);
  for (std::size_t i = 0; i < g.edits.size(); ++i) {
    g.edits[i]->setText(xtool::ReplyQString(xtool::ReplyPart(reply, i + 2, 1)));
  }
}

}  // namespace

void TfrmMain::btnCmd_SB_SetClick() {
  const OperationGroup g = buzzer(*this);
  if (const char* key = FirstInputError(g)) return showMessageBox(message(key));
  const auto p = OperationValues(g);
  OutputBuffer out(xtool::kOperationOutput);
  const SettingStatus status = statusOf("MsgCmd_SB");
  status.set(d_.Xerv3_BUZ_Operation_setup(p[0].get(), p[1].get(), p[2].get(), p[3].get(),
                                          p[4].get(), out.get()),
             d_, xtool::kResetNg);
}

void TfrmMain::btnCmd_SB_GetClick() {
  const auto q = ToCString("");
  OutputBuffer out(xtool::kOperationOutput);
  const int32_t result =
      d_.Xerv3_BUZ_Operation_setup(q.get(), q.get(), q.get(), q.get(), q.get(), out.get());
  const std::string reply = out.reply();
  const SettingStatus status = statusOf("MsgCmd_SB");
  if (status.got(result, reply)) ShowOperation(buzzer(*this), reply);
}

void TfrmMain::btnCmd_SL_SetClick() {
  const OperationGroup g = led(*this);
  if (const char* key = FirstInputError(g)) return showMessageBox(message(key));
  const auto p = OperationValues(g);
  OutputBuffer out(xtool::kOperationOutput);
  const SettingStatus status = statusOf("MsgCmd_SL");
  status.set(d_.Xerv3_LED_Operation_setup(p[0].get(), p[1].get(), p[2].get(), p[3].get(),
                                          p[4].get(), out.get()),
             d_, xtool::kPlainNg);
}

void TfrmMain::btnCmd_SL_GetClick() {
  const auto q = ToCString("");
  OutputBuffer out(xtool::kOperationOutput);
  const int32_t result =
      d_.Xerv3_LED_Operation_setup(q.get(), q.get(), q.get(), q.get(), q.get(), out.get());
  const std::string reply = out.reply();
  const SettingStatus status = statusOf("MsgCmd_SL");
  if (status.got(result, reply)) ShowOperation(led(*this), reply);
}

void TfrmMain::btnCmd_SG_SetClick() {
  setRadioSetting(ragCmd_SG, "MsgCmd_SG_InputError", "MsgCmd_SG",
                  &xtool::Dispatch::Xerv3_LEDBuzzerOperationTimingSet);
}

void TfrmMain::btnCmd_SG_GetClick() {
  getRadioSetting(ragCmd_SG, "MsgCmd_SG", &xtool::Dispatch::Xerv3_LEDBuzzerOperationTimingSet);
}

void TfrmMain::btnCmd_SV_SetClick() {
  setRadioSetting(ragCmd_SV, "MsgCmd_SV_InputError", "MsgCmd_SV",
                  &xtool::Dispatch::BuzzerVolumeSet);
}

void TfrmMain::btnCmd_SV_GetClick() {
  getRadioSetting(ragCmd_SV, "MsgCmd_SV", &xtool::Dispatch::BuzzerVolumeSet);
}
