// How the XERV1 library runs the link: one reply letter, 1000 ms answers, DLE as an error.
#include "device.h"

namespace xerv1 {

using devlink::ReplyKind;
using devlink::ReplyRule;

namespace {

const ReplyRule kReplies[] = {
    {"A", ReplyKind::CardData},
    {"B", ReplyKind::CardData},
    {"C", ReplyKind::WriteResult},
    {"D", ReplyKind::WriteResult},
};

// Reset and protocol change wait with this request code; the reader may then answer with two
// bytes whose first is the control answer.
constexpr int kResetRequest = 9;

const devlink::LinkProfile kProfile{
    .protocol = devlink::Protocol::Xerv1,
    .answer_timeout = std::chrono::milliseconds(1000),
    .dle_is_error = true,
    .letters = 1,
    .keep_frame_without_start = true,
    .two_byte_control_request = kResetRequest,
    .default_data_bits = 7,
    .replies = kReplies,
};

}  // namespace

}  // namespace xerv1

devlink::Device& devlink::this_device() {
  static Device device(xerv1::kProfile);
  return device;
}
