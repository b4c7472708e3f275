// The setting commands of libxerv1 as C exports: each sends the query or the set form, with the
// caller's buffer for the reply values and its documented size.
#include "command_set.h"
#include "device.h"
#include "replies.h"
#include "setting_commands.h"
#include "xerv/xerv1.h"

namespace {

using devlink::this_device;
namespace cmd = xerv1::cmd;

// The caller's buffer for `chars` reply characters: they and a NUL.
constexpr std::size_t buffer_for(std::size_t chars) {
  return chars + 1;
}

// A setting of one value, answered with one character.
int32_t single(const xerv1::CommandId& id, const char* p1, char* out) {
  return this_device().send(xerv1::with_value(id, p1), out, buffer_for(xerv1::kSingleValueReply));
}

}  // namespace

extern "C" {

int32_t Power_ON_OFF_Operation_Setup(const char* p1, char* out) {
  return this_device().send(xerv1::power_on_off_setup(p1), out,
                            buffer_for(xerv1::kPowerOnOffReply));
}

int32_t Track_Info_Set(const char* p1, const char* p2, const char* p3, char* out) {
  return this_device().send(xerv1::track_info_set(p1, p2, p3), out,
                            buffer_for(xerv1::kTrackInfoReply));
}

int32_t BuzzerVolumeSet(const char* p1, char* out) {
  return single(cmd::kBuzzerVolume, p1, out);
}
int32_t Write_Mode_Set(const char* p1, char* out) {
  return single(cmd::kWriteMode, p1, out);
}
int32_t Shutter_Control_Set(const char* p1, char* out) {
  return single(cmd::kShutterControl, p1, out);
}
int32_t ResponseFormatSet(const char* p1, char* out) {
  return single(cmd::kResponseFormat, p1, out);
}

int32_t Comm_Control_Set(const char* p1, const char* p2, const char* p3, const char* p4,
                         const char* p5, const char* p6, const char* p7, char* out) {
  const char* const p[7] = {p1, p2, p3, p4, p5, p6, p7};
  return this_device().send(xerv1::comm_control_set(p), out, buffer_for(xerv1::kCommControlReply));
}

int32_t Comm_Format_Set(const char* p1, const char* p2, const char* p3, const char* p4,
                        const char* p5, const char* p6, const char* p7, char* out) {
  const char* const p[7] = {p1, p2, p3, p4, p5, p6, p7};
  return this_device().send(xerv1::comm_format_set(p), out, buffer_for(xerv1::kCommFormatReply));
}

}  // extern "C"
