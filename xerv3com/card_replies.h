// Decoding of the replies to the card commands: what each copies into the caller's buffer.
#pragma once

#include "reply.h"
#include "reply_shapes.h"

namespace xerv3 {

// Characters each reply copies (the caller's buffer holds one more, for the NUL).
inline constexpr std::size_t kStatusReplyLength = 12;                             // "PS"
inline constexpr std::size_t kTestReplyLength = devlink::kTestReplyLength;        // "PT", at most
inline constexpr std::size_t kDipswReplyLength = devlink::kDipswReplyLength;      // "PT" to "PT0"
inline constexpr std::size_t kVersionReplyLength = devlink::kVersionReplyLength;  // "VR"
inline constexpr std::size_t kModelReplyLength = 4;                               // "ST"

// "PS": R3..R14 (R2 is not copied).
int decode_status_check(const devlink::ReplyEnv& env);
// "PT": R4..R11 when R2 is '0' (the DIP switches), else R3..R14.
int decode_test(const devlink::ReplyEnv& env);
// "PU": R2..R33.
int decode_pu(const devlink::ReplyEnv& env);
// "PC": R2..R10.
int decode_pc(const devlink::ReplyEnv& env);
// "VR": R2..R17, the program version.
int decode_version(const devlink::ReplyEnv& env);
// "ST": R2..R5; the same four characters, sign-extended, become the card store's model reply.
int decode_model_reply(const devlink::ReplyEnv& env);

}  // namespace xerv3
