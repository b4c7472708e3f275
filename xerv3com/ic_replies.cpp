#include "ic_replies.h"

#include <algorithm>

#include "result.h"

namespace xerv3 {

namespace {
constexpr std::size_t kCountAt = 2;  // the count follows the two reply letters
constexpr std::size_t kCountBytes = 2;
}  // namespace

int decode_ic_block(const devlink::ReplyEnv& env) {
  // Only the IC commands hand over a buffer sized for a block; another command's buffer is not.
  if (env.out != nullptr && env.request != kIcPowerRequest && env.request != kIcDataRequest)
    return devlink::kUnknownReply;
  const auto& text = env.text;
  if (text.size() < kCountAt + kCountBytes) {
    devlink::copy_reply(env, kCountAt, kCountBytes);
    return devlink::kUnknownReply;
  }
  const std::size_t count = (std::size_t{text[kCountAt]} << 8) | text[kCountAt + 1];
  const std::size_t take = std::min(count, static_cast<std::size_t>(kIcBlockMax));
  const int copied = devlink::copy_reply(env, kCountAt, kCountBytes + take);
  return copied == devlink::kOk && take == count ? devlink::kOk : devlink::kUnknownReply;
}

}  // namespace xerv3
