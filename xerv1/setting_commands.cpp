#include "setting_commands.h"

#include "command_set.h"
#include "command_shapes.h"

namespace xerv1 {

using devlink::Command;

Command power_on_off_setup(const char* p1) {
  Command c = with_value(cmd::kPowerOnOff, p1);
  // The reader takes three values; this family sets the first and keeps "FF" for the others.
  if (!devlink::absent(p1)) c.append("FF");
  return c;
}

Command track_info_set(const char* p1, const char* p2, const char* p3) {
  const CommandId& id = cmd::kTrackInfo;
  return devlink::first_chars_setting(id.request, id.text, {p1, p2, p3});
}

Command comm_control_set(std::span<const char* const, 7> p) {
  const CommandId& id = cmd::kCommControl;
  return devlink::first_chars_setting(id.request, id.text,
                                      {p[0], p[1], p[2], p[3], p[4], p[5], p[6]});
}

Command comm_format_set(std::span<const char* const, 7> p) {
  const CommandId& id = cmd::kCommFormat;
  return devlink::comm_format_setting(id.request, id.text, p.data(), kUserSeparatorModes);
}

}  // namespace xerv1
