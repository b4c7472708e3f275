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
inline constexpr auto& decode_status_check = devlink::copy_decoder<3, kStatusReplyLength>;
// "PT": R4..R11 when R2 is '0' (the DIP switches), else R3..R14.
inline constexpr auto& decode_test = devlink::test_reply_decoder<2>;
// "PU": R2..R33.
inline constexpr auto& decode_pu = devlink::copy_decoder<2, 32>;
// "PC": R2..R10.
inline constexpr auto& decode_pc = devlink::copy_decoder<2, 9>;
// "VR": R2..R17, the program version.
inline constexpr auto& decode_version = devlink::decode_version_reply;
// "ST": R2..R5; the same four characters, sign-extended, become the card store's model reply.
inline constexpr auto& decode_model_reply =
    devlink::model_reply_decoder<2, kModelReplyLength, kModelReplyLength>;

}  // namespace xerv3
