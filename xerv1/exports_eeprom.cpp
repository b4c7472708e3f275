// The EEPROM exports of libxerv1, and the whole-EEPROM data the reader sent on its own.
#include "device.h"
#include "eeprom_commands.h"
#include "xerv/xerv1.h"

using devlink::this_device;
using xerv1::kEepromLetters;

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
  return this_device().read_eeprom(devlink::eeprom_read(kEepromLetters, address), address, out);
}

int32_t EE_Write(const char* address, const char* data) {
  return this_device().send(devlink::eeprom_write(kEepromLetters, address, data));
}

int32_t GetEEPROM_Data(int32_t* length, char* buffer) {
  return this_device().get_data_block(length, buffer);
}

}  // extern "C"
