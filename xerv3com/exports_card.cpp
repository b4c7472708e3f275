// The card commands as the library exports them.
#include "card_commands.h"
#include "card_replies.h"
#include "device.h"
#include "xerv/xerv3com.h"

namespace {

using devlink::FrameFormat;
using devlink::Store;
using devlink::this_device;

// The buffer size the header documents: the reply's characters and a NUL.
constexpr std::size_t kStatusBuffer = xerv3::kStatusReplyLength + 1;

int32_t write(const char* mode, const char* track1, const char* track2, const char* track3,
              const char* position) {
  return this_device().command([&](Store& store, FrameFormat& format) {
    return xerv3::mag_card_write(store.card, format.separator, mode, track1, track2, track3,
                                 position);
  });
}

}  // namespace

extern "C" {

int32_t MagCard_Read(const char* mode, const char* param) {
  return this_device().command([&](Store& store, FrameFormat&) {
    return xerv3::mag_card_read(store.card, mode, param, nullptr);
  });
}

int32_t MagCard_Read_Eject_Position(const char* mode, const char* param, const char* position) {
  return this_device().command([&](Store& store, FrameFormat&) {
    return xerv3::mag_card_read(store.card, mode, param, position);
  });
}

int32_t MagCard_Write(const char* mode, const char* track1, const char* track2, const char* track3,
                      int32_t /*reserved*/) {
  return write(mode, track1, track2, track3, nullptr);
}

int32_t MagCard_Write_Eject_Position(const char* mode, const char* track1, const char* track2,
                                     const char* track3, int32_t /*reserved*/,
                                     const char* position) {
  return write(mode, track1, track2, track3, position);
}

int32_t Eject_Card(const char* how) {
  return this_device().send(xerv3::eject_card(how));
}
int32_t Write_Mode_Selection(const char* mode) {
  return this_device().send(xerv3::write_mode_selection(mode));
}
int32_t Op_Prohibition(void) {
  return this_device().send(xerv3::op_prohibition());
}
int32_t Reset_Device(void) {
  return this_device().send(xerv3::reset_device());
}
int32_t ProtocolChange(void) {
  return this_device().send(xerv3::protocol_change());
}
int32_t StatusCheck(const char* kind, char* out) {
  return this_device().send(xerv3::status_check(kind), out, kStatusBuffer);
}
int32_t Cleaning_Card(const char* how) {
  return this_device().send(xerv3::cleaning_card(how));
}
int32_t Test_Cmd(const char* test, char* out) {
  return this_device().send(xerv3::test_cmd(test), out, devlink::kTestBufferSize);
}
int32_t Dipsw_Read(char* out) {
  return this_device().send(xerv3::dipsw_read(), out, devlink::kDipswBufferSize);
}
int32_t ProgVersion_Read(char* out) {
  return this_device().send(xerv3::prog_version_read(), out, devlink::kVersionBufferSize);
}
int32_t OutputPort_Control(const char* bits) {
  return this_device().send(xerv3::output_port_control(bits));
}

int32_t Connection_Model_Setup(const uint32_t* code) {
  // The reply's values are kept in the card store; the caller gets only the result.
  char reply[xerv3::kModelReplyLength + 1] = {};
  return this_device().command(
      [&](Store& store, FrameFormat& format) {
        return xerv3::connection_model_setup(store.card, format, code);
      },
      reply, sizeof reply);
}

}  // extern "C"
