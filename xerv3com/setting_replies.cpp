#include "setting_replies.h"

#include <algorithm>

#include "result.h"
#include "setting_commands.h"

namespace xerv3 {

namespace rq = setting_request;

namespace {

constexpr std::size_t kLetters = 2;

struct OutputSize {
  int request;
  std::size_t chars;
};

// What each setting command's caller buffer holds, without the NUL.
constexpr OutputSize kOutputs[] = {
    {rq::kCardInstEnd, kCardInstEndReply},     {rq::kEventData, kEventDataMax},
    {rq::kPowerOnOff, kPowerOnOffReply},       {rq::kLedOperation, kOperationReply},
    {rq::kBuzOperation, kOperationReply},      {rq::kCommControl, kCommControlReply},
    {rq::kCommFormat, kCommFormatReply},       {rq::kReadDataSendRange, kSendRangeReply},
    {rq::kWriteMode, kSingleValueReply},       {rq::kShutterControl, kSingleValueReply},
    {rq::kRetryCount, kSingleValueReply},      {rq::kBuzzerVolume, kSingleValueReply},
    {rq::kLedBuzzerTiming, kSingleValueReply},
};

}  // namespace

std::size_t setting_output_size(int request) {
  for (const OutputSize& o : kOutputs)
    if (o.request == request) return o.chars + 1;
  return 0;
}

int decode_event_data(const devlink::ReplyEnv& env) {
  const std::size_t data = env.text.size() > kLetters ? env.text.size() - kLetters : 0;
  return devlink::copy_reply(env, kLetters, std::min(data, kEventDataMax));
}

int decode_card_inst_end(const devlink::ReplyEnv& env) {
  return devlink::copy_reply_or_shorter(env, kLetters, kCardInstEndShortReply, kCardInstEndReply);
}

int decode_comm_format(const devlink::ReplyEnv& env) {
  return devlink::decode_comm_format_reply(env, kLetters, kUserSeparatorModes);
}

}  // namespace xerv3
