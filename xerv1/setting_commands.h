// The XERV1 reader's setting commands with more than one value: each sends its command character
// alone to query the setting, or the character and the new values to change it. The settings of
// one value are with_value(cmd::...).
#pragma once

#include <span>
#include <string_view>

#include "command.h"

namespace xerv1 {

// "e": power on/off operation. Set form p1[0] followed by "FF".
devlink::Command power_on_off_setup(const char* p1);
// "j": track information, the first character of each of three values.
devlink::Command track_info_set(const char* p1, const char* p2, const char* p3);
// "g": the reader's communication control, the first character of each of seven values.
devlink::Command comm_control_set(std::span<const char* const, 7> p);
// The separator modes whose user code the communication format carries: modes 1 and 3 use the
// user separator.
inline constexpr std::string_view kUserSeparatorModes = "13";

// "f": the reader's communication format; p5..p7 (two characters each) follow only when p1[0]
// is '2', p2[0] is '5', or p4[0] is '1' or '3'.
devlink::Command comm_format_set(std::span<const char* const, 7> p);

}  // namespace xerv1
