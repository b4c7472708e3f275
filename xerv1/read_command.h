// The XERV1 magnetic read: the read command (cmd::kRead, or cmd::kReadHold to hold the card) and
// the tracks asked for, which the connection model code allows or ignores.
#pragma once

#include "command.h"
#include "command_set.h"
#include "store.h"

namespace xerv1 {

// Clears the request flags, then builds the read. A null or empty selection sends the command
// character alone. Otherwise, by connection model code:
//   0, 2, 7, 9   "1" only (track 1's flag becomes 1)
//   3, 10        "2" only (track 2's flag becomes 2)
//   4, 11        "3" only (track 3's flag becomes 3)
//   1, 8         one to three of "1", "2", "3" in rising order; each named track's flag becomes
//                its own number
//   5, 6, >11    any selection; the command character alone is sent
// 901 a selection of the wrong length (for codes 1 and 8: longer than three characters), 902 a
// wrong character or combination. The flags stay cleared on an error.
devlink::Command mag_card_read(devlink::CardStore& card, const CommandId& read,
                               const char* selection);

}  // namespace xerv1
