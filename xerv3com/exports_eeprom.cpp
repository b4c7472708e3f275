// The EEPROM exports of libxerv3com.
#include "device.h"
#include "eeprom_commands.h"
#include "xerv/xerv3com.h"

using devlink::this_device;

extern "C" {

int32_t EE_Open(void) {
  return this_device().send(xerv3::ee_open());
}
int32_t EE_Close(void) {
  return this_device().send(xerv3::ee_close());
}
int32_t EE_Enable(void) {
  return this_device().send(xerv3::ee_enable());
}
int32_t EE_Disable(void) {
  return this_device().send(xerv3::ee_disable());
}

int32_t EE_Read(const char* address, char* out) {
  return this_device().read_eeprom(xerv3::ee_read(address), address, out);
}

int32_t EE_Write(const char* address, const char* data) {
  return this_device().send(xerv3::ee_write(address, data));
}

}  // extern "C"
