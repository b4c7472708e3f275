// Pieces both command sets share: settings, EEPROM access, IC reply blocks and the status and
// test texts. Each gives an answer or the reason for refusing the command; XERV3 answers a refusal
// with "NG" and its code, XERV1 with DLE.
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

// A setting's query (empty params) or set form, answered with `letters` and the value (or ACK for
// a set form when the reader is told to answer sets that way).
Outcome setting(ReaderState& s, std::string_view letters, std::string_view name,
                std::string_view params);

Outcome eeprom_open(ReaderState& s, std::string_view code);
Outcome eeprom_close(ReaderState& s);
Outcome eeprom_enable(ReaderState& s, bool enable);
// Answered `letters` + address + data.
Outcome eeprom_read(ReaderState& s, std::string_view letters, std::string_view address);
Outcome eeprom_write(ReaderState& s, std::string_view address_and_data);

// `letters`, two length bytes (high first) and the bytes.
std::string ic_reply(std::string_view letters, const std::vector<std::uint8_t>& bytes);

// The first `count` (at most 12) status characters: card waiting, read waiting, write waiting, IC
// card inserted, IC card active, EEPROM open, EEPROM writable, then '0's.
std::string status_characters(const ReaderState& s, std::size_t count);
// The twelve characters of a test's result.
std::string test_result(char test);

bool is_digit(char c);

}  // namespace xsim
