#include "card_replies.h"

namespace xerv3 {

using devlink::copy_reply;
using devlink::ReplyEnv;

namespace {
constexpr std::size_t kLetters = 2;
}  // namespace

int decode_status_check(const ReplyEnv& env) {
  return copy_reply(env, 3, kStatusReplyLength);
}

int decode_test(const ReplyEnv& env) {
  return devlink::decode_test_reply(env, kLetters);
}

int decode_pu(const ReplyEnv& env) {
  return copy_reply(env, 2, 32);
}
int decode_pc(const ReplyEnv& env) {
  return copy_reply(env, 2, 9);
}
int decode_version(const ReplyEnv& env) {
  return devlink::decode_version_reply(env);
}

int decode_model_reply(const ReplyEnv& env) {
  // All four characters are kept.
  return devlink::decode_model_reply(env, kLetters, kModelReplyLength, kModelReplyLength);
}

}  // namespace xerv3
