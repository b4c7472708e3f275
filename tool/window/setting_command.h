// What the Set and Get handlers of the device settings pages share: output buffers sized for what
// the libraries copy, and the status line of a command's outcome with the reset after a change.
#pragma once

#include <QString>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "dispatch.h"
#include "reply_text.h"

namespace xtool {

// Output buffer sizes, one per reply shape. A library copies at most the reply length it
// documents for a command, then a zero, and it does so for the set form as well as for the
// query: a reader may answer a change with the values it now holds. So a Set hands over the
// same size as the Get, never less.
inline constexpr std::size_t kCardInstEndOutput = 6 + 1;  // "SH": six characters
inline constexpr std::size_t kPowerOnOffOutput = 3 + 1;   // "SP", and XERV1 "e": three
inline constexpr std::size_t kOperationOutput = 5 + 1;    // "SB", "SL": five
// "SS", "SM", "SY", "SG", "SV", and XERV1 "h", "c", "b": one
inline constexpr std::size_t kSingleValueOutput = 1 + 1;
inline constexpr std::size_t kSendRangeOutput = 5 + 1;     // "SJ": track, start, end
inline constexpr std::size_t kCommControlOutput = 7 + 1;   // the reader's line settings
inline constexpr std::size_t kCommFormatOutput = 10 + 1;   // the reader's frame format
inline constexpr std::size_t kVersionOutput = 16 + 1;      // 10 of version, 6 of date
inline constexpr std::size_t kDipSwitchOutput = 8 + 1;     // eight switches
inline constexpr std::size_t kEepromByteOutput = 2 + 1;    // one byte in hexadecimal
inline constexpr std::size_t kStatusCheckOutput = 12 + 1;  // the XERV3 status reply

// A fresh output buffer for one call, released at the end of the handler. It starts zeroed, so an
// answer that copies nothing (a plain acknowledgement) reads as an empty reply, not as whatever
// the memory held.
class OutputBuffer {
 public:
  explicit OutputBuffer(std::size_t size) : bytes_(std::make_unique<char[]>(size)), size_(size) {}
  char* get() { return bytes_.get(); }
  std::string reply() const { return ReplyText(bytes_.get(), size_); }

 private:
  std::unique_ptr<char[]> bytes_;
  std::size_t size_;
};

// How a failing reset after a successful change is shown: most settings mark it as the reset's,
// the retry count and LED settings show it as a plain failure.
inline constexpr std::string_view kResetNg = " (R) NG !! ";
inline constexpr std::string_view kPlainNg = " NG !! ";

// An item position as the libraries take it: "0", "1", ...
inline std::string IndexText(int index) {
  return std::to_string(index);
}

// The status line of one settings command, worded with its message text.
class SettingStatus {
 public:
  using Show = std::function<void(const QString&)>;
  SettingStatus(QString message, Show show)
      : message_(std::move(message)), show_(std::move(show)) {}

  // After a query: the failure text and false; or the Ok text with the reply and true, and the
  // reply may then go into the controls.
  bool got(int32_t result, std::string_view reply) const;
  // After a set form: the failure text; or the Ok text, then the reader's reset, whose failure
  // replaces it with `reset_ng` and the reset's result.
  void set(int32_t result, Dispatch& d, std::string_view reset_ng) const;

 private:
  void failed(std::string_view ng, int32_t result) const;

  QString message_;
  Show show_;
};

}  // namespace xtool
