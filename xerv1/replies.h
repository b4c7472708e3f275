// The XERV1 reader's data replies: one reply letter, then the data characters. What each copies
// into the caller's buffer (which holds one more, for the NUL), and the check of the data-return
// answer "J".
#pragma once

#include <cstddef>

#include "reply.h"
#include "reply_shapes.h"

namespace xerv1 {

inline constexpr std::size_t kLetters = 1;

inline constexpr std::size_t kStatusReply = 3;       // "M"
inline constexpr std::size_t kPowerOnOffReply = 3;   // "e"
inline constexpr std::size_t kTrackInfoReply = 4;    // "j"
inline constexpr std::size_t kTrackInfoKept = 3;     // of them kept as the model reply values
inline constexpr std::size_t kSingleValueReply = 1;  // "b", "c", "h", "o"
inline constexpr std::size_t kCommControlReply = 7;  // "g"
inline constexpr std::size_t kEepromDataAt = 3;      // "s" + the two address characters
// "f": the four modes and the user codes, or the modes alone.
inline constexpr std::size_t kCommFormatReply = devlink::kCommFormatReplyLength;

// StatusCheck's reply letter is the reader's choice, so its buffer takes the longest reply any
// command's decoding copies: the version.
inline constexpr std::size_t kStatusBufferSize = devlink::kVersionReplyLength + 1;

// "f": ten characters, or the four modes alone when they call for no user codes.
int decode_comm_format(const devlink::ReplyEnv& env);

// "J": the ten characters after the letter must equal the data-return record kept by the last
// DataReturn; 908 when one differs or fewer than ten arrived, else 0. Nothing is copied.
int decode_data_return(const devlink::ReplyEnv& env);

}  // namespace xerv1
