// The EEPROM exports of libxerv3com.
#include "device.h"
#include "eeprom_commands.h"
#include "result.h"
#include "xerv/xerv3com.h"

namespace {

template <class Build>
int32_t send(Build build) {
  return devlink::this_device().command(
      [&](devlink::Store&, devlink::FrameFormat&) { return build(); }, nullptr);
}

}  // namespace

extern "C" {

int32_t EE_Open(void) {
  return send(xerv3::ee_open);
}
int32_t EE_Close(void) {
  return send(xerv3::ee_close);
}
int32_t EE_Enable(void) {
  return send(xerv3::ee_enable);
}
int32_t EE_Disable(void) {
  return send(xerv3::ee_disable);
}

int32_t EE_Read(const char* address, char* out) {
  return devlink::this_device().command(
      [&](devlink::Store&, devlink::FrameFormat&) {
        // The data has nowhere to go without a buffer: refused like a null address.
        if (out == nullptr) return devlink::Command::fail(devlink::kNullArg);
        return xerv3::ee_read(address);
      },
      out, devlink::eeprom_read_size(address));
}

int32_t EE_Write(const char* address, const char* data) {
  return send([&] { return xerv3::ee_write(address, data); });
}

}  // extern "C"
