// Decoding of the reader's setting replies: the letters, then the setting's values, which are
// copied into the caller's buffer.
//
// A reply is classified by its letters alone, so a reader may answer a command with another
// setting's letters. Each export gives the link its buffer size (setting_output_size), and a
// reply whose values would not fit it gives 909 and leaves the buffer untouched.
#pragma once

#include <cstddef>

#include "frame_format.h"
#include "reply.h"

namespace xerv3 {

// Characters each setting reply copies.
inline constexpr std::size_t kCardInstEndReply = 6;  // "SH"
inline constexpr std::size_t kPowerOnOffReply = 3;   // "SP"
inline constexpr std::size_t kOperationReply = 5;    // "SL", "SB"
inline constexpr std::size_t kCommControlReply = 7;  // "SR", "SD"
inline constexpr std::size_t kCommFormatReply = 10;  // "SN"
inline constexpr std::size_t kSendRangeReply = 5;    // "SJ"
inline constexpr std::size_t kSingleValueReply = 1;  // "SM", "SS", "SY", "SV", "SG", "SF"
// The longest event data: everything a received text can hold but its two letters.
inline constexpr std::size_t kEventDataMax = devlink::kFrameBufferSize - 2;  // "SE"

// The buffer size (reply characters plus the NUL) that the caller of the setting command sent
// under `request` gives; 0 when the request is not a setting command's.
std::size_t setting_output_size(int request);

// Copies Count characters from the third character of the reply on, when they fit the waiting
// command's buffer (a null buffer takes nothing and always fits).
template <std::size_t Count>
inline constexpr auto& setting_decoder = devlink::copy_decoder<2, Count>;

// "SE": every character after the letters, as many as the received text holds.
int decode_event_data(const devlink::ReplyEnv& env);

}  // namespace xerv3
