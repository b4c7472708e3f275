// The connection model: which physical track the reader delivers in each track position, set by
// Connection_Model_Setup in both libraries.
#pragma once

#include <array>
#include <cstdint>

#include "frame_format.h"
#include "reply.h"
#include "store.h"

namespace devlink {

// The slot identifiers before any model names them.
inline constexpr std::array<std::int32_t, kTrackCount> kNoSlots{kSlotNone, kSlotNone, kSlotNone,
                                                                -1};

// Applies a connection model code: resets the slot identifiers to 0, 0, 0, -1, stores the code,
// sets the slots the code names and, for the codes read as one whole track, switches the frame
// format to separator mode 2. Returns whether the model query ("ST" or "j") must be sent: false
// only for XERV1 codes above 105 (compared as unsigned, so a negative code is above 105 too).
bool set_connection_model(CardStore& card, FrameFormat& format, Protocol protocol,
                          std::uint32_t code);

}  // namespace devlink
