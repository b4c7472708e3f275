// The XERV1 magnetic writes: the write command (cmd::kWrite, or cmd::kWriteHold to hold the card)
// with the track texts, or with one block of NTT-format data.
#pragma once

#include <cstdint>

#include "command.h"
#include "command_set.h"
#include "store.h"

namespace xerv1 {

// The most data bytes one NTT write carries.
inline constexpr std::int32_t kNttDataMax = 255;

// The write command + the track fields of the connection model code, separated by
// `separator`: 0, 100, 102 track1; 103 track2; 104 track3 (each alone, required: 900 null, 902
// empty); 101 "[track1] S [track2] S [track3]", marking each track given; any other code no
// field. 900 when all three texts are null; 902 when the text would exceed 256 characters.
// The request flags are cleared once the null check has passed.
devlink::Command mag_card_write(devlink::CardStore& card, std::uint8_t separator,
                                const CommandId& write, const char* track1, const char* track2,
                                const char* track3);

// NTT write: clears the request flags, then sends the write command followed by exactly
// *length bytes of data (any byte values, zero bytes too) when the connection model code is 100,
// or the command alone for any other code or a length of 0. 902 null length, 900 null data,
// 901 a length below 0 or above kNttDataMax.
devlink::Command ntt_write(devlink::CardStore& card, const CommandId& write,
                           const std::int32_t* length, const char* data);

}  // namespace xerv1
