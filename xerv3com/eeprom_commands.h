// The XERV3 reader's EEPROM commands: the shared EEPROM builders with this library's letters
// and access code.
#pragma once

#include <cstddef>

#include "command.h"
#include "eeprom.h"

namespace xerv3 {

inline constexpr devlink::EepromLetters kEepromLetters{
    .open = "EO", .close = "EC", .enable = "EE", .disable = "ED", .read = "ER", .write = "EW"};

// This reader family's access code, as letter positions (0 = 'A'); it is put together only when
// the open command is built, so the code never stands in the library as one string.
inline constexpr devlink::AccessCode kAccessCode{10, 23, 17, 21, 4, 15};

// An "ER" reply echoes the two address characters; the data starts after them.
inline constexpr std::size_t kEepromDataAt = 4;

devlink::Command ee_open();                                        // "EO" + the access code
devlink::Command ee_close();                                       // "EC"
devlink::Command ee_enable();                                      // "EE"
devlink::Command ee_disable();                                     // "ED"
devlink::Command ee_read(const char* address);                     // "ER" + address
devlink::Command ee_write(const char* address, const char* data);  // "EW" + address + data

}  // namespace xerv3
