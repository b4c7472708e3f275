// The setting commands as C exports: each builds its command and sends it, with the caller's
// buffer for the reply values.
#include "device.h"
#include "setting_commands.h"
#include "setting_replies.h"
#include "xerv/xerv3com.h"

static_assert(XERV3_EVENT_DATA_SIZE == xerv3::kEventDataMax + 1,
              "the documented event data buffer size must match the decoder's bound");

namespace {

// Sends a setting command; out holds the reply of the setting the command asks for. A command
// refused by its builder sends nothing, so its buffer size does not matter.
int32_t send_setting(const devlink::Command& c, char* out) {
  return devlink::this_device().send(c, out, xerv3::setting_output_size(c.request));
}

}  // namespace

extern "C" {

int32_t Card_Inst_End_Set(const char* p1, const char* p2, const char* p3, char* out) {
  return send_setting(xerv3::card_inst_end_set(p1, p2, p3), out);
}

int32_t Event_data_Set(const char* p1, char* out) {
  return send_setting(xerv3::event_data_set(p1), out);
}

int32_t Power_ON_OFF_Operation_Setup(const char* p1, const char* p2, const char* p3, char* out) {
  return send_setting(xerv3::power_on_off_setup(p1, p2, p3), out);
}

int32_t LED_Operation_setup(const char* p1, const char* p2, const char* p3, const char* p4,
                            const char* p5, char* out) {
  const char* const p[5] = {p1, p2, p3, p4, p5};
  return send_setting(xerv3::led_operation_setup(p), out);
}

int32_t BUZ_Operation_setup(const char* p1, const char* p2, const char* p3, const char* p4,
                            const char* p5, char* out) {
  const char* const p[5] = {p1, p2, p3, p4, p5};
  return send_setting(xerv3::buz_operation_setup(p), out);
}

int32_t Comm_Control_Set(const char* p1, const char* p2, const char* p3, const char* p4,
                         const char* p5, const char* p6, const char* p7, char* out) {
  const char* const p[7] = {p1, p2, p3, p4, p5, p6, p7};
  return send_setting(xerv3::comm_control_set(p), out);
}

int32_t Comm_Format_Set(const char* p1, const char* p2, const char* p3, const char* p4,
                        const char* p5, const char* p6, const char* p7, char* out) {
  const char* const p[7] = {p1, p2, p3, p4, p5, p6, p7};
  return send_setting(xerv3::comm_format_set(p), out);
}

int32_t Read_Data_Send_Range_Set(const char* p1, const char* p2, const char* p3, char* out) {
  return send_setting(xerv3::read_data_send_range_set(p1, p2, p3), out);
}

int32_t Write_Mode_Set(const char* p1, char* out) {
  return send_setting(xerv3::write_mode_set(p1), out);
}

int32_t Shutter_Control_Set(const char* p1, char* out) {
  return send_setting(xerv3::shutter_control_set(p1), out);
}

int32_t RetryActionCountSet(const char* p1, char* out) {
  return send_setting(xerv3::retry_action_count_set(p1), out);
}

int32_t BuzzerVolumeSet(const char* p1, char* out) {
  return send_setting(xerv3::buzzer_volume_set(p1), out);
}

int32_t LEDBuzzerOperationTimingSet(const char* p1, char* out) {
  return send_setting(xerv3::led_buzzer_timing_set(p1), out);
}

}  // extern "C"
