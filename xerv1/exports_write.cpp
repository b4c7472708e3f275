// The magnetic write exports of libxerv1: track texts, or one block of NTT-format data.
#include "device.h"
#include "write_commands.h"
#include "xerv/xerv1.h"

namespace {

using devlink::FrameFormat;
using devlink::Store;
using devlink::this_device;
using xerv1::CommandId;
namespace cmd = xerv1::cmd;

int32_t write_tracks(const CommandId& id, const char* track1, const char* track2,
                     const char* track3) {
  return this_device().command([&](Store& store, FrameFormat& format) {
    return xerv1::mag_card_write(store.card, format.separator, id, track1, track2, track3);
  });
}

int32_t write_ntt(const CommandId& id, const int32_t* length, const char* data) {
  return this_device().command(
      [&](Store& store, FrameFormat&) { return xerv1::ntt_write(store.card, id, length, data); });
}

}  // namespace

extern "C" {

int32_t MagCard_Write(const char* track1, const char* track2, const char* track3) {
  return write_tracks(cmd::kWrite, track1, track2, track3);
}
int32_t MagCard_Write_Hold_Position(const char* track1, const char* track2, const char* track3) {
  return write_tracks(cmd::kWriteHold, track1, track2, track3);
}

// The NTT and NTT8 variants build the same command; only their argument names differ.
int32_t MagCard_NTT_Write(const int32_t* length, const char* data) {
  return write_ntt(cmd::kWrite, length, data);
}
int32_t MagCard_NTT_Write_Hold_Position(const int32_t* length, const char* data) {
  return write_ntt(cmd::kWriteHold, length, data);
}
int32_t MagCard_NTT8_Write(const int32_t* length, const char* data) {
  return write_ntt(cmd::kWrite, length, data);
}
int32_t MagCard_NTT8_Write_Hold_Position(const int32_t* length, const char* data) {
  return write_ntt(cmd::kWriteHold, length, data);
}

}  // extern "C"
