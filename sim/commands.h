// The reader's command handlers: a command text in, the answer out. Side effects land in the
// reader state; a reset, a protocol change and the start of a read or write are carried out by the
// engine after the answer is sent.
#pragma once

#include <string>
#include <string_view>

#include "reader_state.h"

namespace xsim {

struct Answer {
  enum class Kind { None, Ack, Nak, Dle, Text };
  Kind kind = Kind::None;
  std::string text;  // the reply text for Kind::Text (may hold any byte)

  static Answer ack() { return {Kind::Ack, {}}; }
  static Answer nak() { return {Kind::Nak, {}}; }
  static Answer dle() { return {Kind::Dle, {}}; }
  static Answer reply(std::string text) { return {Kind::Text, std::move(text)}; }
};

// XERV3 refusal codes, answered as "NG" and three digits.
namespace ng {
inline constexpr int kUnknownCommand = 1;
inline constexpr int kBadLength = 2;
inline constexpr int kBadValue = 3;
inline constexpr int kAccess = 4;  // EEPROM closed, wrong access code, writing not enabled
inline constexpr int kNoCard = 5;  // no IC card, or not activated
}  // namespace ng

Answer handle_xerv3(ReaderState& s, std::string_view command);
Answer handle_xerv1(ReaderState& s, std::string_view command);

inline Answer handle_command(ReaderState& s, std::string_view command) {
  return s.protocol == Protocol::Xerv3 ? handle_xerv3(s, command) : handle_xerv1(s, command);
}

}  // namespace xsim
