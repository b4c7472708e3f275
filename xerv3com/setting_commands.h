// The reader's setting commands: each builder turns an export's arguments into the query form (the
// two letters alone), the set form (the letters and the new values), or the argument error that
// stops the command before anything is sent.
//
// Values are taken one or two characters at a time. A value that the set form needs is refused
// rather than read when it is missing: 900 when it is null, 902 when a one-character value is
// empty, 901 when a two-character value is shorter than two characters. So a mix of null and
// given values never reaches the wire as a NUL byte.
#pragma once

#include <span>
#include <string_view>

#include "command.h"

namespace xerv3 {

// Pending request codes of the setting commands.
namespace setting_request {
inline constexpr int kCardInstEnd = 22;
inline constexpr int kEventData = 23;
inline constexpr int kPowerOnOff = 24;
inline constexpr int kLedOperation = 27;
inline constexpr int kBuzOperation = 28;
inline constexpr int kCommControl = 29;
inline constexpr int kCommFormat = 30;
inline constexpr int kReadDataSendRange = 31;
inline constexpr int kWriteMode = 33;
inline constexpr int kShutterControl = 34;
inline constexpr int kRetryCount = 37;
inline constexpr int kBuzzerVolume = 38;
inline constexpr int kLedBuzzerTiming = 39;
}  // namespace setting_request

// "SH": card-insertion end handling. Set form p1 p2 [p3]: p1 one of F R; p2 F1 or R1 with an
// optional three-character p3, or F0, R0, S0 without p3.
devlink::Command card_inst_end_set(const char* p1, const char* p2, const char* p3);
// "SE": event data. Set form: p1's first character, '0' to 'E' in character-code order.
devlink::Command event_data_set(const char* p1);
// "SP": power on/off operation. Set form p1[0] p2[0] p3[0]: 0 1, F R, and 0 F R.
devlink::Command power_on_off_setup(const char* p1, const char* p2, const char* p3);
// "SL" / "SB": LED and buzzer operation, five one-character values.
devlink::Command led_operation_setup(std::span<const char* const, 5> p);
devlink::Command buz_operation_setup(std::span<const char* const, 5> p);
// "SR": the reader's communication control, the first character of each of seven values.
devlink::Command comm_control_set(std::span<const char* const, 7> p);
// The separator mode whose user code the communication format carries.
inline constexpr std::string_view kUserSeparatorModes = "1";

// "SN": the reader's communication format; p5..p7 (two characters each) follow only when p1[0]
// is '2', p2[0] is '5' or p4[0] is '1'.
devlink::Command comm_format_set(std::span<const char* const, 7> p);
// "SJ": the read-data send range. No query form: p1 is required; p2 and p3 (two characters
// each) follow when either is given.
devlink::Command read_data_send_range_set(const char* p1, const char* p2, const char* p3);
// The single-value settings: the letters alone when p1 is null or empty, else p1's first
// character.
devlink::Command write_mode_set(const char* p1);          // "SM"
devlink::Command shutter_control_set(const char* p1);     // "SS"
devlink::Command retry_action_count_set(const char* p1);  // "SY"
devlink::Command buzzer_volume_set(const char* p1);       // "SV"
devlink::Command led_buzzer_timing_set(const char* p1);   // "SG"

}  // namespace xerv3
