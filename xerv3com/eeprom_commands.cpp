#include "eeprom_commands.h"

namespace xerv3 {

devlink::Command ee_open() {
  return devlink::eeprom_open(kEepromLetters, kAccessCode);
}
devlink::Command ee_close() {
  return devlink::eeprom_close(kEepromLetters);
}
devlink::Command ee_enable() {
  return devlink::eeprom_enable(kEepromLetters);
}
devlink::Command ee_disable() {
  return devlink::eeprom_disable(kEepromLetters);
}

devlink::Command ee_read(const char* address) {
  return devlink::eeprom_read(kEepromLetters, address);
}

devlink::Command ee_write(const char* address, const char* data) {
  return devlink::eeprom_write(kEepromLetters, address, data);
}

}  // namespace xerv3
