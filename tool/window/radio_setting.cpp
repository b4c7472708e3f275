// The settings that are one radio group sent as its item position (SS, SM, SG, SV): one Set and
// one Get for all of them.
#include "radio_group.h"
#include "setting_command.h"
#include "tfrm_main.h"

void TfrmMain::setRadioSetting(TRadioGroup* group, const char* input_error, const char* message_key,
                               SingleValueCall call) {
  const int index = group->itemIndex();
  if (index < 0) return showMessageBox(message(input_error));
  const auto p1 = xtool::ToCString(xtool::IndexText(index));
  xtool::OutputBuffer out(xtool::kSingleValueOutput);
  statusOf(message_key).set((d_.*call)(p1.get(), out.get()), d_, xtool::kResetNg);
}

void TfrmMain::getRadioSetting(TRadioGroup* group, const char* message_key, SingleValueCall call) {
  const auto query = xtool::ToCString("");
  xtool::OutputBuffer out(xtool::kSingleValueOutput);
  const int32_t result = (d_.*call)(query.get(), out.get());
  const std::string reply = out.reply();
  if (statusOf(message_key).got(result, reply)) group->setItemIndex(xtool::DigitAt(reply, 1));
}
