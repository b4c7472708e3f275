#include "setting_command.h"

namespace xtool {

namespace {
const QString kOk = QStringLiteral(" Ok!! ");
}

void SettingStatus::failed(std::string_view ng, int32_t result) const {
  show_(message_ + QString::fromLatin1(ng.data(), static_cast<qsizetype>(ng.size())) +
        QString::number(result));
}

bool SettingStatus::got(int32_t result, std::string_view reply) const {
  if (result != 0) {
    failed(kPlainNg, result);
    return false;
  }
  show_(message_ + kOk + ReplyQString(reply));
  return true;
}

void SettingStatus::set(int32_t result, Dispatch& d, std::string_view reset_ng) const {
  if (result != 0) return failed(kPlainNg, result);
  show_(message_ + kOk);
  // The new value takes effect at the reset; it has been sent whether the reset works or not.
  if (const int32_t reset = d.Reset_Device(); reset != 0) failed(reset_ng, reset);
}

}  // namespace xtool
