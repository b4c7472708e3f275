// The XERV1 command set: one command character, then the parameters. The reader has no refusal
// code in this protocol: a command it refuses, or does not know, is answered DLE.
#include <string>
#include <string_view>
#include <utility>

#include "command_kit.h"
#include "commands.h"

namespace xsim {

namespace {

// A reply of one letter and its data. Built by appending: GCC 12 takes "J" + std::string(...),
// which inserts in front of a temporary, for an overlapping copy and warns (-Wrestrict).
Answer letter_reply(char letter, std::string_view data) {
  std::string text(1, letter);
  text += data;
  return Answer::reply(std::move(text));
}

// "1" reads, "2" reads and holds the card; the selection names tracks 1 to 3, each once.
Outcome read_card(ReaderState& s, std::string_view letters, std::string_view p) {
  if (p.size() > 3) return refused(ng::kBadLength);
  Selection selection = 0;
  for (const char c : p) {
    if (c < '1' || c > '3') return refused(ng::kBadValue);
    const Selection bit = 1u << (c - '1');
    if ((selection & bit) != 0) return refused(ng::kBadValue);
    selection |= bit;
  }
  const char report = letters == "1" ? 'A' : 'B';
  s.new_operation = true;
  s.armed = Operation{Operation::Kind::Read, std::string(1, report), selection, {}};
  return answered(Answer::ack());
}

// "3" writes, "4" writes and holds the card.
Outcome write_card(ReaderState& s, std::string_view letters, std::string_view p) {
  const char report = letters == "3" ? 'C' : 'D';
  s.new_operation = true;
  s.armed = Operation{Operation::Kind::Write, std::string(1, report), 0,
                      write_fields(Protocol::Xerv1, s.model, s.format.separator, p)};
  return answered(Answer::ack());
}

// ":" + ten characters, answered "J" and the same ten.
Outcome data_return(ReaderState& s, std::string_view, std::string_view p) {
  if (p.size() != 10) return refused(ng::kBadLength);
  s.data_return = p;
  return answered(letter_reply('J', p));
}

Outcome no_parameters(ReaderState&, std::string_view, std::string_view p) {
  return p.empty() ? answered(Answer::ack()) : refused(ng::kBadLength);
}

// "<" resets; "<0" resets into XERV3.
Outcome reset(ReaderState& s, std::string_view, std::string_view p) {
  if (p.size() > 1) return refused(ng::kBadLength);
  if (p.size() == 1 && p[0] != '0') return refused(ng::kBadValue);
  s.reset_requested = true;
  if (p == "0") s.switch_to = Protocol::Xerv3;
  return answered(Answer::ack());
}

Outcome status(ReaderState& s, std::string_view, std::string_view p) {
  if (!p.empty()) return refused(ng::kBadLength);
  return answered(letter_reply('M', status_characters(s, 3)));
}

Outcome plain_setting(ReaderState& s, std::string_view letters, std::string_view p) {
  return setting(s, letters, *Settings::name_for(Protocol::Xerv1, letters), p);
}

// "VR", the one two-letter command of the set.
Outcome version(ReaderState& s, std::string_view, std::string_view p) {
  if (p != "R") return refused(ng::kUnknownCommand);
  return answered(Answer::reply("VR" + s.version));
}

struct Entry {
  char letter;
  Handler handler;
};

constexpr Entry kCommands[] = {
    {'1', read_card},     {'2', read_card},      {'3', write_card},           {'4', write_card},
    {':', data_return},   {';', no_parameters},  {'>', no_parameters},        {'0', prohibit},
    {'<', reset},         {'=', status},         {'6', write_mode_selection}, {'a', cleaning},
    {'e', plain_setting}, {'j', plain_setting},  {'b', plain_setting},        {'c', plain_setting},
    {'h', plain_setting}, {'g', plain_setting},  {'f', plain_setting},        {'o', plain_setting},
    {'k', test},          {'V', version},        {'p', eeprom_open},          {'v', eeprom_close},
    {'q', eeprom_enable}, {'r', eeprom_disable}, {'s', eeprom_read},          {'t', eeprom_write},
};

}  // namespace

Answer handle_xerv1(ReaderState& s, std::string_view command) {
  if (command.empty()) return Answer::dle();
  for (const Entry& e : kCommands) {
    if (e.letter != command[0]) continue;
    Outcome o = e.handler(s, command.substr(0, 1), command.substr(1));
    return o.refusal != 0 ? Answer::dle() : std::move(o.answer);
  }
  return Answer::dle();
}

}  // namespace xsim
