// The IC card exports of libxerv3com.
#include "device.h"
#include "ic_commands.h"
#include "ic_replies.h"
#include "xerv/xerv3com.h"

static_assert(XERV_IC_REPLY_SIZE == xerv3::kIcReplyBufferSize);

namespace {

// Sends the command; its answer block goes into out, which holds XERV_IC_REPLY_SIZE bytes.
template <class Build>
int32_t send(Build build, char* out) {
  return devlink::this_device().command(
      [&](devlink::Store&, devlink::FrameFormat&) { return build(); }, out,
      out == nullptr ? 0 : xerv3::kIcReplyBufferSize);
}

}  // namespace

extern "C" {

int32_t IC_Card_Set(void) {
  return send(xerv3::ic_card_set, nullptr);
}
int32_t IC_Card_Deactivation(void) {
  return send(xerv3::ic_card_deactivation, nullptr);
}
int32_t IC_Card_Activate(char* out) {
  return send(xerv3::ic_card_activate, out);
}
int32_t IC_Card_Activate_EMV(char* out) {
  return send(xerv3::ic_card_activate_emv, out);
}

int32_t IC_Card_DataSend(const int32_t* length, const char* first, const char* data, char* out) {
  return send([&] { return xerv3::ic_card_data_send(length, first, data); }, out);
}

int32_t IC_Card_DataSend_EMV(const int32_t* length, const char* data, char* out) {
  return send([&] { return xerv3::ic_card_data_send_emv(length, data); }, out);
}

}  // extern "C"
