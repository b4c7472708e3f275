// The IC card exports of libxerv3com.
#include "device.h"
#include "ic_commands.h"
#include "ic_replies.h"
#include "xerv/xerv3com.h"

static_assert(XERV_IC_REPLY_SIZE == xerv3::kIcReplyBufferSize);

namespace {

using devlink::this_device;

// Each command's answer block goes into out, which holds XERV_IC_REPLY_SIZE bytes.
constexpr std::size_t kReplyBuffer = xerv3::kIcReplyBufferSize;

}  // namespace

extern "C" {

int32_t IC_Card_Set(void) {
  return this_device().send(xerv3::ic_card_set());
}
int32_t IC_Card_Deactivation(void) {
  return this_device().send(xerv3::ic_card_deactivation());
}
int32_t IC_Card_Activate(char* out) {
  return this_device().send(xerv3::ic_card_activate(), out, kReplyBuffer);
}
int32_t IC_Card_Activate_EMV(char* out) {
  return this_device().send(xerv3::ic_card_activate_emv(), out, kReplyBuffer);
}

int32_t IC_Card_DataSend(const int32_t* length, const char* first, const char* data, char* out) {
  return this_device().send(xerv3::ic_card_data_send(length, first, data), out, kReplyBuffer);
}

int32_t IC_Card_DataSend_EMV(const int32_t* length, const char* data, char* out) {
  return this_device().send(xerv3::ic_card_data_send_emv(length, data), out, kReplyBuffer);
}

}  // extern "C"
