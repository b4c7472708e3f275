#include "setting_commands.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "command_shapes.h"
#include "result.h"

namespace xerv3 {

using devlink::absent;
using devlink::check_choice;
using devlink::check_length;
using devlink::Command;
using devlink::has_length;
using devlink::kBadLength;
using devlink::kBadValue;
using devlink::kNullArg;
using devlink::query_form;
namespace rq = setting_request;

namespace {

bool one_of(char c, std::string_view allowed) {
  return allowed.find(c) != std::string_view::npos;
}

void push(Command& c, char ch) {
  c.push(static_cast<std::uint8_t>(ch));
}

// A setting of five one-character values (the LED and buzzer operation settings).
Command one_char_values(int request, std::string_view letters, std::span<const char* const, 5> p) {
  Command c = Command::make(request, letters);
  if (query_form({p[0], p[1], p[2], p[3], p[4]})) return c;
  for (const char* v : p) {
    if (const int r = check_length(v, 1); r != devlink::kOk) return Command::fail(r);
    push(c, v[0]);
  }
  return c;
}

}  // namespace

Command card_inst_end_set(const char* p1, const char* p2, const char* p3) {
  Command c = Command::make(rq::kCardInstEnd, "SH");
  if (query_form({p1, p2, p3})) return c;
  if (const int r = check_choice(p1, "FR"); r != devlink::kOk) return Command::fail(r);
  if (const int r = check_length(p2, 2); r != devlink::kOk) return Command::fail(r);
  const std::string_view mode(p2, 2);
  push(c, p1[0]);
  c.append(mode);
  if (mode == "F1" || mode == "R1") {
    // An optional three-character value follows these two modes.
    if (absent(p3)) return c;
    if (!has_length(p3, 3)) return Command::fail(kBadLength);
    c.append(std::string_view(p3, 3));
    return c;
  }
  if (mode == "F0" || mode == "R0" || mode == "S0")
    return absent(p3) ? c : Command::fail(kBadLength);
  return Command::fail(kBadValue);
}

Command event_data_set(const char* p1) {
  Command c = Command::make(rq::kEventData, "SE");
  if (absent(p1)) return c;
  if (p1[0] < '0' || p1[0] > 'E') return Command::fail(kBadValue);
  push(c, p1[0]);
  return c;
}

Command power_on_off_setup(const char* p1, const char* p2, const char* p3) {
  Command c = Command::make(rq::kPowerOnOff, "SP");
  if (query_form({p1, p2, p3})) return c;
  const char* const values[3] = {p1, p2, p3};
  static constexpr std::string_view kAllowed[3] = {"01", "FR", "0FR"};
  for (int i = 0; i < 3; ++i) {
    if (values[i] == nullptr) return Command::fail(kNullArg);
    // An empty value fails here too: its first character is the NUL.
    if (!one_of(values[i][0], kAllowed[i])) return Command::fail(kBadValue);
    push(c, values[i][0]);
  }
  return c;
}

Command led_operation_setup(std::span<const char* const, 5> p) {
  return one_char_values(rq::kLedOperation, "SL", p);
}

Command buz_operation_setup(std::span<const char* const, 5> p) {
  return one_char_values(rq::kBuzOperation, "SB", p);
}

Command comm_control_set(std::span<const char* const, 7> p) {
  return devlink::first_chars_setting(rq::kCommControl, "SR",
                                      {p[0], p[1], p[2], p[3], p[4], p[5], p[6]});
}

Command comm_format_set(std::span<const char* const, 7> p) {
  return devlink::comm_format_setting(rq::kCommFormat, "SN", p.data(), kUserSeparatorModes);
}

Command read_data_send_range_set(const char* p1, const char* p2, const char* p3) {
  if (p1 == nullptr) return Command::fail(kNullArg);
  if (p1[0] == '\0') return Command::fail(kBadLength);
  Command c = Command::make(rq::kReadDataSendRange, "SJ");
  push(c, p1[0]);
  if (absent(p2) && absent(p3)) return c;
  for (const char* v : {p2, p3}) {
    if (const int r = append_pair(c, v); r != devlink::kOk) return Command::fail(r);
  }
  return c;
}

Command write_mode_set(const char* p1) {
  return devlink::single_value_setting(rq::kWriteMode, "SM", p1);
}

Command shutter_control_set(const char* p1) {
  return devlink::single_value_setting(rq::kShutterControl, "SS", p1);
}

Command retry_action_count_set(const char* p1) {
  return devlink::single_value_setting(rq::kRetryCount, "SY", p1);
}

Command buzzer_volume_set(const char* p1) {
  return devlink::single_value_setting(rq::kBuzzerVolume, "SV", p1);
}

Command led_buzzer_timing_set(const char* p1) {
  return devlink::single_value_setting(rq::kLedBuzzerTiming, "SG", p1);
}

}  // namespace xerv3
