#include "card_replies.h"

namespace xerv3 {

using devlink::copy_reply;
using devlink::ReplyEnv;

int decode_status_check(const ReplyEnv& env) {
  return copy_reply(env, 3, kStatusReplyLength);
}

int decode_test(const ReplyEnv& env) {
  if (env.text.size() > 2 && env.text[2] == '0') return copy_reply(env, 4, kDipswReplyLength);
  return copy_reply(env, 3, kTestReplyLength);
}

int decode_pu(const ReplyEnv& env) {
  return copy_reply(env, 2, 32);
}
int decode_pc(const ReplyEnv& env) {
  return copy_reply(env, 2, 9);
}
int decode_version(const ReplyEnv& env) {
  return copy_reply(env, 2, kVersionReplyLength);
}

int decode_model_reply(const ReplyEnv& env) {
  auto& values = env.store.card.model_reply;
  for (std::size_t i = 0; i < values.size(); ++i) {
    // A character that did not arrive reads as the text's terminating NUL.
    const std::size_t at = 2 + i;
    const char ch = at < env.text.size() ? static_cast<char>(env.text[at]) : '\0';
    values[i] = static_cast<signed char>(ch);
  }
  return copy_reply(env, 2, kModelReplyLength);
}

}  // namespace xerv3
