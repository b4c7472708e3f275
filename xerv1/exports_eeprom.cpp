// The EEPROM exports of libxerv1, and the whole-EEPROM data the reader sent on its own.
#include <algorithm>
#include <cstring>

#include "device.h"
#include "eeprom_commands.h"
#include "xerv/xerv1.h"

namespace {

using devlink::this_device;
using xerv1::kEepromLetters;

// Hands out the data block: its length, and its characters and a NUL in buffer; then clears it.
int take_data_block(devlink::DataBlock& block, int32_t* length, char* buffer) {
  if (length == nullptr || buffer == nullptr) return devlink::kNullArg;
  *length = block.length;
  if (block.length == 0) return devlink::kOk;
  const auto n = static_cast<std::size_t>(
      std::clamp<std::int32_t>(block.length, 0, static_cast<std::int32_t>(devlink::kEeAllChars)));
  std::memcpy(buffer, block.data.data(), n);
  buffer[n] = '\0';
  block.data.fill('\0');
  block.length = 0;
  return devlink::kOk;
}

}  // namespace

extern "C" {

int32_t EE_Open(void) {
  return this_device().send(devlink::eeprom_open(kEepromLetters, xerv1::kAccessCode));
}
int32_t EE_Close(void) {
  return this_device().send(devlink::eeprom_close(kEepromLetters));
}
int32_t EE_Enable(void) {
  return this_device().send(devlink::eeprom_enable(kEepromLetters));
}
int32_t EE_Disable(void) {
  return this_device().send(devlink::eeprom_disable(kEepromLetters));
}

int32_t EE_Read(const char* address, char* out) {
  // The data has nowhere to go without a buffer: refused like a null address.
  const devlink::Command read = out == nullptr ? devlink::Command::fail(devlink::kNullArg)
                                               : devlink::eeprom_read(kEepromLetters, address);
  return this_device().send(read, out, devlink::eeprom_read_size(address));
}

int32_t EE_Write(const char* address, const char* data) {
  return this_device().send(devlink::eeprom_write(kEepromLetters, address, data));
}

int32_t GetEEPROM_Data(int32_t* length, char* buffer) {
  return devlink::this_device().with_open_state([&](devlink::Store& store, devlink::FrameFormat&) {
    return take_data_block(store.block, length, buffer);
  });
}

}  // extern "C"
