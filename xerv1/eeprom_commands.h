// The XERV1 reader's EEPROM commands: the shared EEPROM commands with this family's single
// command characters and its own access code.
#pragma once

#include "eeprom.h"

namespace xerv1 {

inline constexpr devlink::EepromLetters kEepromLetters{
    .open = "p", .close = "v", .enable = "q", .disable = "r", .read = "s", .write = "t"};

// This reader family's access code, as letter positions (0 = 'A'); it is put together only when
// the open command is built.
inline constexpr devlink::AccessCode kAccessCode{19, 8, 22, 1, 14, 12};

}  // namespace xerv1
