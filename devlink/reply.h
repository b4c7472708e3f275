// Classification of received answers and the table each library gives of its reply letters.
#pragma once

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

#include "store.h"

namespace devlink {

enum class Protocol { Xerv3, Xerv1 };

enum class ReplyKind {
  None,
  Ack,
  Dle,
  Nak,
  Unknown,
  Ng,           // "NG" + three digits (XERV3)
  CardData,     // card-data report
  WriteResult,  // write-result report
  Event,        // "AE" report (XERV3)
  Error,        // "DH" report (XERV3)
  Data,         // a reply that the library's own decoder copies out
};

// What a decoder sees: the received text (reply letters first), the request code of the command
// that waits (0 when the answer came unasked), the caller's output buffer (null when unasked) and
// its size, and the store. Replies are matched by their letters only, so a reader may answer a
// command with another command's reply: a decoder never writes more than out_size bytes.
struct ReplyEnv {
  std::span<const std::uint8_t> text;
  int request = 0;
  char* out = nullptr;
  Store& store;
  std::size_t out_size = SIZE_MAX;  // the link always gives the real size
};

using Decoder = int (*)(const ReplyEnv&);

struct ReplyRule {
  std::string_view letters;
  ReplyKind kind;
  Decoder decode = nullptr;  // for ReplyKind::Data; null answers 909 (known letters, no decoding)
};

// The small set of ways in which the two libraries run the same link.
struct LinkProfile {
  Protocol protocol;
  std::chrono::milliseconds answer_timeout;  // per attempt
  bool dle_is_error;                         // DLE ends the command with 907
  std::size_t letters;                       // reply letters that classify a framed answer
  bool keep_frame_without_start;  // a frame without start code stays while a command waits
  int two_byte_control_request;   // while this request waits, two bytes are a control answer
  std::uint8_t default_data_bits;
  std::span<const ReplyRule> replies;
};

// Where a report's data starts in the received text: after "CR" and one character (XERV3), or
// after the single reply letter (XERV1).
inline std::size_t report_data_offset(const LinkProfile& p) {
  return p.letters == 2 ? 3 : 1;
}

ReplyKind classify_control(std::uint8_t byte);
// Returns the matching rule, or null for letters the library does not know.
const ReplyRule* classify_text(const LinkProfile& profile, std::span<const std::uint8_t> text);

// The value of the three digits after "NG": each digit's low four bits, hundreds first.
int ng_code(std::span<const std::uint8_t> text);

// Copies up to `count` bytes of `text` from `from` into out and terminates them with NUL.
// Returns 0 when all `count` bytes were there, else 909 (what arrived is still copied). A null out
// copies nothing. Every reply decoder uses this one rule for short replies. A reply whose `count`
// characters and NUL would not fit out_size is another command's reply: 909, nothing written.
int copy_reply(const ReplyEnv& env, std::size_t from, std::size_t count);

// copy_reply for a reply whose last values are optional: a reply that ends after exactly
// `shorter` characters is complete too (0). The buffer must still hold the longest reply, `count`
// characters and the NUL; any other length short of `count` gives 909 as in copy_reply.
int copy_reply_or_shorter(const ReplyEnv& env, std::size_t from, std::size_t shorter,
                          std::size_t count);

}  // namespace devlink

namespace devlink {

// A decoder that copies Count characters from position From of the reply text.
template <std::size_t From, std::size_t Count>
int copy_decoder(const ReplyEnv& env) {
  return copy_reply(env, From, Count);
}

}  // namespace devlink
