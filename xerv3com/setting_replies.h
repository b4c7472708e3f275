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
#include "reply_shapes.h"

namespace xerv3 {

// Characters each setting reply copies (the most, where a mode leaves some out).
inline constexpr std::size_t kCardInstEndReply = 6;  // "SH"
// "SH" without its third value: the F0, R0 and S0 modes have none, F1 and R1 may go without it.
inline constexpr std::size_t kCardInstEndShortReply = 3;
inline constexpr std::size_t kPowerOnOffReply = 3;   // "SP"
inline constexpr std::size_t kOperationReply = 5;    // "SL", "SB"
inline constexpr std::size_t kCommControlReply = 7;  // "SR", "SD"
inline constexpr std::size_t kSendRangeReply = 5;    // "SJ"
// "SN": the four modes and the user codes, or the modes alone.
inline constexpr std::size_t kCommFormatReply = devlink::kCommFormatReplyLength;
inline constexpr std::size_t kSingleValueReply = 1;  // "SM", "SS", "SY", "SV", "SG", "SF"
// The longest event data: everything a received text can hold but its two letters.
inline constexpr std::size_t kEventDataMax = devlink::kFrameBufferSize - 2;  // "SE"

// The buffer size that the caller of the setting command sent under `request` gives: the
// longest reply the command copies plus the NUL, whichever form was sent (a reader may answer a
// set form with the values too). 0 when the request is not a setting command's.
std::size_t setting_output_size(int request);

// Copies Count characters from the third character of the reply on, when they fit the waiting
// command's buffer (a null buffer takes nothing and always fits).
template <std::size_t Count>
inline constexpr auto& setting_decoder = devlink::copy_decoder<2, Count>;

// "SE": every character after the letters, as many as the received text holds.
int decode_event_data(const devlink::ReplyEnv& env);

// "SH": six characters, or three when the reply ends after them (a mode without its third value).
int decode_card_inst_end(const devlink::ReplyEnv& env);

// "SN": ten characters, or the four modes alone when they call for no user codes.
int decode_comm_format(const devlink::ReplyEnv& env);

}  // namespace xerv3
