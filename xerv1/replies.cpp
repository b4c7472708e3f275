#include "replies.h"

#include <algorithm>

#include "result.h"
#include "setting_commands.h"

namespace xerv1 {

int decode_data_return(const devlink::ReplyEnv& env) {
  const auto& record = env.store.data_return;
  if (env.text.size() < kLetters + record.size()) return devlink::kMismatch;
  const auto echoed = env.text.subspan(kLetters, record.size());
  const bool same = std::equal(
      record.begin(), record.end(), echoed.begin(),
      [](char want, std::uint8_t got) { return static_cast<std::uint8_t>(want) == got; });
  return same ? devlink::kOk : devlink::kMismatch;
}

int decode_comm_format(const devlink::ReplyEnv& env) {
  return devlink::decode_comm_format_reply(env, kLetters, kUserSeparatorModes);
}

}  // namespace xerv1
