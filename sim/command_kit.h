// Pieces both command sets share: the handler type, settings, IC reply blocks, the status
// characters and the handlers both sets list (EEPROM access among them). Each gives an answer or
// the reason for refusing the command; XERV3 answers a refusal with "NG" and its code, XERV1 with
// DLE.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "commands.h"
#include "reader_state.h"

namespace xsim {

struct Outcome {
  Answer answer;
  int refusal = 0;  // an ng:: code; 0 when answered
};

inline Outcome answered(Answer a) {
  return {std::move(a), 0};
}
inline Outcome refused(int code) {
  return {{}, code};
}
Outcome refused(SetResult r);

// A command's handler: the command's letters (XERV3's two letters, XERV1's one command
// character) and the parameters after them.
using Handler = Outcome (*)(ReaderState& s, std::string_view letters, std::string_view p);

// A setting's query (empty params) or set form, answered with `letters` and the value (or ACK for
// a set form when the reader is told to answer sets that way).
Outcome setting(ReaderState& s, std::string_view letters, std::string_view name,
                std::string_view params);

// `letters`, two length bytes (high first) and the bytes.
std::string ic_reply(std::string_view letters, const std::vector<std::uint8_t>& bytes);

// The first `count` (at most 12) status characters: card waiting, read waiting, write waiting, IC
// card inserted, IC card active, EEPROM open, EEPROM writable, then '0's.
std::string status_characters(const ReaderState& s, std::size_t count);

// Handlers that both command sets list under their own letters.

// Drops the read or write that waits for a card.
Outcome prohibit(ReaderState& s, std::string_view letters, std::string_view p);
// The write mode: one character, '0' to '2'.
Outcome write_mode_selection(ReaderState& s, std::string_view letters, std::string_view p);
// One character of cleaning parameter.
Outcome cleaning(ReaderState& s, std::string_view letters, std::string_view p);
// Test "0" reads the DIP switches: the letters, "0", one filler character, the eight switches.
// Any other test answers the letters, its character and twelve result characters; no test
// character runs test 1.
Outcome test(ReaderState& s, std::string_view letters, std::string_view p);

// EEPROM access. Open carries the access code; read is answered `letters` + address + data.
Outcome eeprom_open(ReaderState& s, std::string_view letters, std::string_view code);
Outcome eeprom_close(ReaderState& s, std::string_view letters, std::string_view p);
Outcome eeprom_enable(ReaderState& s, std::string_view letters, std::string_view p);
Outcome eeprom_disable(ReaderState& s, std::string_view letters, std::string_view p);
Outcome eeprom_read(ReaderState& s, std::string_view letters, std::string_view address);
Outcome eeprom_write(ReaderState& s, std::string_view letters, std::string_view address_and_data);

}  // namespace xsim
