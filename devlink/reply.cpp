#include "reply.h"

#include <algorithm>
#include <cstring>

#include "frame_format.h"
#include "result.h"

namespace devlink {

ReplyKind classify_control(std::uint8_t byte) {
  switch (byte) {
    case kAck: return ReplyKind::Ack;
    case kDle: return ReplyKind::Dle;
    case kNak: return ReplyKind::Nak;
    default: return ReplyKind::Unknown;
  }
}

const ReplyRule* classify_text(const LinkProfile& profile, std::span<const std::uint8_t> text) {
  for (const ReplyRule& rule : profile.replies) {
    if (text.size() < rule.letters.size()) continue;
    if (std::equal(rule.letters.begin(), rule.letters.end(), text.begin(),
                   [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; }))
      return &rule;
  }
  return nullptr;
}

int ng_code(std::span<const std::uint8_t> text) {
  int value = 0;
  for (std::size_t i = 2; i < 5; ++i) value = value * 10 + (i < text.size() ? (text[i] & 0x0F) : 0);
  return value;
}

int copy_reply(const ReplyEnv& env, std::size_t from, std::size_t count) {
  if (env.out != nullptr && count >= env.out_size) return kUnknownReply;
  const std::size_t have = env.text.size() > from ? std::min(count, env.text.size() - from) : 0;
  if (env.out != nullptr) {
    if (have > 0) std::memcpy(env.out, env.text.data() + from, have);
    env.out[have] = '\0';
  }
  return have == count ? kOk : kUnknownReply;
}

int copy_reply_or_shorter(const ReplyEnv& env, std::size_t from, std::size_t shorter,
                          std::size_t count) {
  if (env.out != nullptr && count >= env.out_size) return kUnknownReply;
  const int r = copy_reply(env, from, count);
  return r != kOk && env.text.size() == from + shorter ? kOk : r;
}

}  // namespace devlink
