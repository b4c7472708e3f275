// Card command shapes that both libraries share, each called with the library's own letters and
// request code.
#pragma once

#include <cstdint>
#include <string_view>

#include "command.h"
#include "frame_format.h"
#include "reply.h"
#include "store.h"

namespace devlink {

// letters + one character out of `allowed`: 900 null, 901 not exactly one character, 902 a
// character outside `allowed`.
Command choice_command(int request, std::string_view letters, const char* value,
                       std::string_view allowed);

// letters + the first character of `value` (the rest is not looked at): 900 null, 902 empty, so
// that no NUL byte reaches the wire.
Command first_char_command(int request, std::string_view letters, const char* value);

// Connection_Model_Setup: resets the track slots (also for a null code, which gives 900), applies
// the code and gives the model query `letters`; a code that needs no query gives a command with
// nothing to send.
Command connection_model_command(CardStore& card, FrameFormat& format, Protocol protocol,
                                 const std::uint32_t* code, int request, std::string_view letters);

}  // namespace devlink
