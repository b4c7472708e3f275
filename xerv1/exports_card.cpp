// The card commands of libxerv1 as C exports, with the caller's buffer and its documented size
// where the reply is copied.
#include "card_commands.h"
#include "device.h"
#include "read_command.h"
#include "replies.h"
#include "xerv/xerv1.h"

namespace {

using devlink::FrameFormat;
using devlink::Store;
using devlink::this_device;
namespace cmd = xerv1::cmd;

static_assert(XERV1_STATUS_SIZE == xerv1::kStatusBufferSize);

int32_t read(const xerv1::CommandId& id, const char* selection) {
  return this_device().command(
      [&](Store& store, FrameFormat&) { return xerv1::mag_card_read(store.card, id, selection); });
}

}  // namespace

extern "C" {

int32_t MagCard_Read(const char* selection) {
  return read(cmd::kRead, selection);
}
int32_t MagCard_Read_Hold_Position(const char* selection) {
  return read(cmd::kReadHold, selection);
}

int32_t DataReturn(const char* ten) {
  return this_device().command(
      [&](Store& store, FrameFormat&) { return xerv1::data_return(store, ten); });
}

int32_t Eject_Card(void) {
  return this_device().send(plain(cmd::kEject));
}
int32_t Eject_Card2(void) {
  return this_device().send(plain(cmd::kEject2));
}
int32_t Op_Prohibition(void) {
  return this_device().send(plain(cmd::kProhibit));
}
int32_t Reset_Device(void) {
  return this_device().send(plain(cmd::kReset));
}
int32_t ProtocolChange(void) {
  return this_device().send(plain(cmd::kProtocolChange));
}

int32_t StatusCheck(char* out) {
  return this_device().send(xerv1::status_check(out), out, xerv1::kStatusBufferSize);
}
int32_t Write_Mode_Selection(const char* mode) {
  return this_device().send(xerv1::write_mode_selection(mode));
}
int32_t Cleaning_Card(const char* how) {
  return this_device().send(xerv1::cleaning_card(how));
}
int32_t Test_Cmd(const char* test, char* out) {
  return this_device().send(xerv1::test_cmd(test), out, devlink::kTestBufferSize);
}
int32_t Dipsw_Read(char* out) {
  return this_device().send(plain(cmd::kDipsw), out, devlink::kDipswBufferSize);
}
int32_t ProgVersion_Read(char* out) {
  return this_device().send(plain(cmd::kVersion), out, devlink::kVersionBufferSize);
}

int32_t Connection_Model_Setup(const uint32_t* code) {
  // The reply's values are kept in the card store; the caller gets only the result.
  char reply[xerv1::kTrackInfoReply + 1] = {};
  return this_device().command(
      [&](Store& store, FrameFormat& format) {
        return xerv1::connection_model_setup(store.card, format, code);
      },
      reply, sizeof reply);
}

}  // extern "C"
