// The track fields of a magnetic write: which track texts follow the write command's header and
// with how many separators around them, chosen by the connection model code of each protocol.
#pragma once

#include <cstddef>
#include <cstdint>

#include "command.h"
#include "reply.h"
#include "store.h"

namespace devlink {

// A magnetic write command text (header and track fields) holds at most this many characters.
inline constexpr std::size_t kMaxWriteText = 256;

// Appends to c (which holds the header) the track fields the card's connection model code asks
// for, separated by `separator`:
//   a single-track code sends that track's text, which must be given (900) and not empty (902),
//   with the separators its layout puts around it (XERV3) or alone (XERV1);
//   the three-track codes send "[track1] S [track2] S [track3]" and mark each track given;
//   any other code sends no track field.
// A text that makes the command longer than kMaxWriteText is refused with 902. On any error the
// request flags are cleared: nothing is written.
int append_write_tracks(Command& c, CardStore& card, Protocol protocol, std::uint8_t separator,
                        const char* track1, const char* track2, const char* track3);

}  // namespace devlink
