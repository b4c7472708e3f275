#include "reply_shapes.h"

#include <algorithm>

#include "command_shapes.h"

namespace devlink {

namespace {
constexpr char kDipswTest = '0';
}  // namespace

int decode_test_reply(const ReplyEnv& env, std::size_t letters) {
  const bool dipsw = env.text.size() > letters && env.text[letters] == kDipswTest;
  if (dipsw) return copy_reply(env, letters + 2, kDipswReplyLength);
  return copy_reply(env, letters + 1, kTestReplyLength);
}

int decode_version_reply(const ReplyEnv& env) {
  constexpr std::size_t kLetters = 2;  // "VR"
  return copy_reply(env, kLetters, kVersionReplyLength);
}

int decode_comm_format_reply(const ReplyEnv& env, std::size_t letters,
                             std::string_view user_separator_modes) {
  const auto mode = [&](std::size_t i) {
    const std::size_t at = letters + i;
    return at < env.text.size() ? static_cast<char>(env.text[at]) : '\0';
  };
  if (needs_user_codes(mode(0), mode(1), mode(3), user_separator_modes))
    return copy_reply(env, letters, kCommFormatReplyLength);
  return copy_reply_or_shorter(env, letters, kCommFormatModesLength, kCommFormatReplyLength);
}

int decode_model_reply(const ReplyEnv& env, std::size_t letters, std::size_t count,
                       std::size_t kept) {
  auto& values = env.store.card.model_reply;
  for (std::size_t i = 0; i < std::min(kept, values.size()); ++i) {
    // A character that did not arrive reads as the text's terminating NUL.
    const std::size_t at = letters + i;
    const char ch = at < env.text.size() ? static_cast<char>(env.text[at]) : '\0';
    values[i] = static_cast<signed char>(ch);
  }
  return copy_reply(env, letters, count);
}

}  // namespace devlink
