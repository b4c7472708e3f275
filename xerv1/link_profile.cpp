// How the XERV1 library runs the link: its reply letters, time-out and the rest of its profile.
#include "link_profile.h"

#include "command_set.h"
#include "eeprom.h"
#include "replies.h"

namespace xerv1 {

using devlink::copy_decoder;

namespace {

using enum devlink::ReplyKind;

const devlink::ReplyRule kReplies[] = {
    // Reports: card data and write results
    {"A", CardData},
    {"B", CardData},
    {"C", WriteResult},
    {"D", WriteResult},
    // Card command replies
    {"J", Data, decode_data_return},
    {"M", Data, copy_decoder<kLetters, kStatusReply>},
    {"k", Data, devlink::test_reply_decoder<kLetters>},
    {"VR", Data, devlink::decode_version_reply},
    // Settings replies; "j" also keeps the track information as the model reply values
    {"e", Data, copy_decoder<kLetters, kPowerOnOffReply>},
    {"j", Data, devlink::model_reply_decoder<kLetters, kTrackInfoReply, kTrackInfoKept>},
    {"b", Data, copy_decoder<kLetters, kSingleValueReply>},
    {"c", Data, copy_decoder<kLetters, kSingleValueReply>},
    {"h", Data, copy_decoder<kLetters, kSingleValueReply>},
    {"o", Data, copy_decoder<kLetters, kSingleValueReply>},
    {"g", Data, copy_decoder<kLetters, kCommControlReply>},
    {"f", Data, decode_comm_format},
    // EEPROM data
    {"s", Data, devlink::eeprom_decoder<kEepromDataAt>},
};

const devlink::LinkProfile kProfile{
    .protocol = devlink::Protocol::Xerv1,
    .answer_timeout = std::chrono::milliseconds(1000),
    .dle_is_error = true,
    .letters = kLetters,
    .keep_frame_without_start = true,
    .two_byte_control_request = cmd::kReset.request,
    .default_data_bits = 7,
    .replies = kReplies,
};

}  // namespace

const devlink::LinkProfile& link_profile() {
  return kProfile;
}

}  // namespace xerv1
