// How the XERV3 library runs the link: its reply letters, time-out and the rest of its profile.
#include "link_profile.h"

#include "card_replies.h"
#include "eeprom_commands.h"
#include "ic_replies.h"
#include "setting_replies.h"

namespace xerv3 {

using devlink::ReplyKind;
using devlink::ReplyRule;

namespace {

const ReplyRule kReplies[] = {
    {"NG", ReplyKind::Ng},
    {"AE", ReplyKind::Event},
    {"DH", ReplyKind::Error},
    {"CR", ReplyKind::CardData},
    {"CW", ReplyKind::WriteResult},
    // Card command replies
    {"PS", ReplyKind::Data, decode_status_check},
    {"PT", ReplyKind::Data, decode_test},
    {"PU", ReplyKind::Data, decode_pu},
    {"PC", ReplyKind::Data, decode_pc},
    {"VR", ReplyKind::Data, decode_version},
    {"ST", ReplyKind::Data, decode_model_reply},
    {"SI", ReplyKind::Data},  // known letters without decoding: 909
    {"SQ", ReplyKind::Data},
    // Settings replies
    {"SH", ReplyKind::Data, decode_card_inst_end},
    {"SE", ReplyKind::Data, decode_event_data},
    {"SP", ReplyKind::Data, setting_decoder<kPowerOnOffReply>},
    {"SL", ReplyKind::Data, setting_decoder<kOperationReply>},
    {"SB", ReplyKind::Data, setting_decoder<kOperationReply>},
    {"SR", ReplyKind::Data, setting_decoder<kCommControlReply>},
    {"SD", ReplyKind::Data, setting_decoder<kCommControlReply>},
    {"SN", ReplyKind::Data, decode_comm_format},
    {"SJ", ReplyKind::Data, setting_decoder<kSendRangeReply>},
    {"SM", ReplyKind::Data, setting_decoder<kSingleValueReply>},
    {"SF", ReplyKind::Data, setting_decoder<kSingleValueReply>},
    {"SS", ReplyKind::Data, setting_decoder<kSingleValueReply>},
    {"SY", ReplyKind::Data, setting_decoder<kSingleValueReply>},
    {"SV", ReplyKind::Data, setting_decoder<kSingleValueReply>},
    {"SG", ReplyKind::Data, setting_decoder<kSingleValueReply>},
    // IC card and EEPROM replies
    {"ID", ReplyKind::Data, decode_ic_block},
    {"IP", ReplyKind::Data, decode_ic_block},
    {"ER", ReplyKind::Data, devlink::eeprom_decoder<kEepromDataAt>},
};

const devlink::LinkProfile kProfile{
    .protocol = devlink::Protocol::Xerv3,
    .answer_timeout = std::chrono::milliseconds(3000),
    .dle_is_error = false,
    .letters = 2,
    .keep_frame_without_start = false,
    .two_byte_control_request = 0,
    .default_data_bits = 8,
    .replies = kReplies,
};

}  // namespace

const devlink::LinkProfile& link_profile() { return kProfile; }

}  // namespace xerv3

