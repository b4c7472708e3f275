// The XERV1 reader's card-handling commands that take parameters or touch the store. Each
// builder checks its arguments and returns the command with its request code, or the argument
// error (nothing is sent then). Builders that touch the store get it from the caller, which
// holds the link's state lock. The commands without parameters are plain(cmd::...).
#pragma once

#include <cstdint>

#include "command.h"
#include "command_set.h"
#include "frame_format.h"
#include "store.h"

namespace xerv1 {

devlink::Command status_check(const char* out);           // "=", 900 when out is null
devlink::Command write_mode_selection(const char* mode);  // "6" + '0', '1' or '2'
devlink::Command cleaning_card(const char* how);          // "a" + first character
devlink::Command test_cmd(const char* test);              // "k" [+ first character]

// ":" + exactly ten characters, which are kept as the data-return record for the check of the
// reader's "J" answer. 900 null, 901 not ten characters (the record is then left as it was).
devlink::Command data_return(devlink::Store& store, const char* ten);

// Resets the track slots, then (900 for a null code) applies the connection model code and gives
// the track information query "j"; codes above 105 are set without asking the reader.
devlink::Command connection_model_setup(devlink::CardStore& card, devlink::FrameFormat& format,
                                        const std::uint32_t* code);

}  // namespace xerv1
