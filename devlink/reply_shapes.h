// Reply shapes that both libraries decode alike. The XERV3 reader answers with two letters, the
// XERV1 reader with one; each decoder takes the number of letters its library's reply carries, so
// the data characters are found at the same places after them.
#pragma once

#include <cstddef>
#include <string_view>

#include "reply.h"

namespace devlink {

// Characters the test reply copies: the DIP switches, or any other test's answer.
inline constexpr std::size_t kDipswReplyLength = 8;
inline constexpr std::size_t kTestReplyLength = 12;
// Characters of the program version.
inline constexpr std::size_t kVersionReplyLength = 16;
// The caller's buffers for these replies, as the headers document them: the characters and a NUL.
inline constexpr std::size_t kTestBufferSize = kTestReplyLength + 1;
inline constexpr std::size_t kDipswBufferSize = kDipswReplyLength + 1;
inline constexpr std::size_t kVersionBufferSize = kVersionReplyLength + 1;

// The test reply ("PT" or "k"): the character after the letters names the test. '0' (the DIP
// switches) copies the 8 characters that follow one further character; any other test copies
// the 12 characters that follow the selector.
int decode_test_reply(const ReplyEnv& env, std::size_t letters);

// The version reply "VR" (the same two letters in both libraries): the 16 characters after them.
int decode_version_reply(const ReplyEnv& env);

// The model reply ("ST" or "j"): copies `count` characters after the letters, and keeps the first
// `kept` of them, sign-extended, as the card store's model reply values (a character that did not
// arrive is kept as 0; values beyond `kept` are left alone).
int decode_model_reply(const ReplyEnv& env, std::size_t letters, std::size_t count,
                       std::size_t kept);

// Characters of the frame-format reply ("SN" or "f"): the four modes and the three user codes, or
// the four modes alone.
inline constexpr std::size_t kCommFormatReplyLength = 10;
inline constexpr std::size_t kCommFormatModesLength = 4;

// The frame-format reply: the ten characters after the letters. When its modes call for no user
// codes (needs_user_codes with the library's `user_separator_modes`), a reply that ends after the
// four modes is complete as well, as the set form in those modes carries no codes either.
int decode_comm_format_reply(const ReplyEnv& env, std::size_t letters,
                             std::string_view user_separator_modes);

template <std::size_t Letters>
int test_reply_decoder(const ReplyEnv& env) {
  return decode_test_reply(env, Letters);
}

template <std::size_t Letters, std::size_t Count, std::size_t Kept>
int model_reply_decoder(const ReplyEnv& env) {
  return decode_model_reply(env, Letters, Count, Kept);
}

}  // namespace devlink
