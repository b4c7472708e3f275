// The XERV3 command set: two command letters, then the parameters. A refused command is answered
// "NG" and a three-digit code.
#include <cstdio>

#include "command_kit.h"
#include "commands.h"

namespace xsim {

namespace {

bool is_upper(char c) {
  return c >= 'A' && c <= 'Z';
}

Outcome read_card(ReaderState& s, std::string_view, std::string_view p) {
  if (p.empty()) return refused(ng::kBadLength);
  const char mode = p[0];
  const std::string_view rest = p.substr(1);
  if (!is_upper(mode)) return refused(ng::kBadValue);
  Selection selection = 0;
  if (mode == 'C' || mode == 'F') {
    // The tracks to read, one character each for tracks 1 to 3.
    if (!rest.empty() && rest.size() != 3) return refused(ng::kBadLength);
    for (std::size_t k = 0; k < rest.size(); ++k) {
      if (!is_digit(rest[k])) return refused(ng::kBadValue);
      if ((rest[k] & 0x0F) != 0) selection |= 1u << k;
    }
  } else if (rest.size() != 2 && rest.size() != 5) {
    return refused(ng::kBadLength);  // two parameter characters, optionally a position of three
  }
  s.new_operation = true;
  s.armed = Operation{Operation::Kind::Read, std::string("CR") + mode, selection, {}};
  return answered(Answer::ack());
}

Outcome write_card(ReaderState& s, std::string_view, std::string_view p) {
  if (p.empty()) return refused(ng::kBadLength);
  const char mode = p[0];
  if (!is_upper(mode)) return refused(ng::kBadValue);
  std::string_view fields = p.substr(1);
  if (mode == 'K') {  // two position characters come first
    if (fields.size() < 2) return refused(ng::kBadLength);
    fields.remove_prefix(2);
  }
  s.new_operation = true;
  s.armed = Operation{Operation::Kind::Write, std::string("CW") + mode, 0,
                      write_fields(Protocol::Xerv3, s.model, s.format.separator, fields)};
  return answered(Answer::ack());
}

Outcome eject(ReaderState&, std::string_view, std::string_view p) {
  if (p.size() != 2) return refused(ng::kBadLength);
  const bool ok = ((p[0] == 'F' || p[0] == 'R') && (p[1] == '0' || p[1] == '1')) ||
                  (p[0] == 'S' && is_digit(p[1]));
  return ok ? answered(Answer::ack()) : refused(ng::kBadValue);
}

// "PR" resets; "PR1" resets into XERV1.
Outcome reset(ReaderState& s, std::string_view, std::string_view p) {
  if (p.size() > 1) return refused(ng::kBadLength);
  if (p.size() == 1 && p[0] != '1') return refused(ng::kBadValue);
  s.reset_requested = true;
  if (p == "1") s.switch_to = Protocol::Xerv1;
  return answered(Answer::ack());
}

Outcome status(ReaderState& s, std::string_view, std::string_view p) {
  if (p.size() != 1) return refused(ng::kBadLength);
  if (p[0] != 'C' && p[0] != 'I') return refused(ng::kBadValue);
  return answered(Answer::reply("PS" + std::string(p) + status_characters(s, 12)));
}

Outcome output_port(ReaderState& s, std::string_view, std::string_view p) {
  if (p.size() != 6) return refused(ng::kBadLength);
  if (p.find_first_not_of("01") != std::string_view::npos) return refused(ng::kBadValue);
  s.output_port = p;
  return answered(Answer::ack());
}

Outcome version(ReaderState& s, std::string_view, std::string_view p) {
  if (!p.empty()) return refused(ng::kBadLength);
  return answered(Answer::reply("VR" + s.version));
}

// The connection model in force, as four decimal digits.
Outcome model(ReaderState& s, std::string_view, std::string_view p) {
  if (!p.empty()) return refused(ng::kBadLength);
  char digits[8];
  std::snprintf(digits, sizeof digits, "%04u", static_cast<unsigned>(s.model % 10000));
  return answered(Answer::reply(std::string("ST") + digits));
}

Outcome plain_setting(ReaderState& s, std::string_view letters, std::string_view p) {
  return setting(s, letters, letters, p);
}

// "SJ" + track digit asks for one track's range; with start and end it changes it.
Outcome send_range(ReaderState& s, std::string_view letters, std::string_view p) {
  if (p.empty()) return refused(ng::kBadLength);
  if (p[0] < '1' || p[0] > '4') return refused(ng::kBadValue);
  const std::string name = std::string("SJ") + p[0];
  return setting(s, letters, name, p.size() == 1 ? std::string_view{} : p);
}

Outcome ic_set(ReaderState&, std::string_view, std::string_view) {
  return answered(Answer::ack());
}

Outcome ic_deactivate(ReaderState& s, std::string_view, std::string_view) {
  s.ic.active = false;
  return answered(Answer::ack());
}

Outcome ic_activate(ReaderState& s, std::string_view, std::string_view) {
  if (!s.ic.card) return refused(ng::kNoCard);
  s.ic.active = true;
  return answered(Answer::reply(ic_reply("ID", s.ic.card->atr)));
}

// "IP" and "IC": two length bytes (high first), then the block. "IP" is answered "IP", the EMV
// block "IC" is answered "ID".
Outcome ic_data(ReaderState& s, std::string_view letters, std::string_view p) {
  if (!s.ic.card || !s.ic.active) return refused(ng::kNoCard);
  if (p.size() < 2) return refused(ng::kBadLength);
  const std::size_t n = (static_cast<std::size_t>(static_cast<std::uint8_t>(p[0])) << 8) |
                        static_cast<std::uint8_t>(p[1]);
  const std::string_view data = p.substr(2);
  if (data.size() != n) return refused(ng::kBadLength);
  s.ic.blocks.emplace_back(data.begin(), data.end());
  return answered(Answer::reply(ic_reply(letters == "IP" ? "IP" : "ID", s.ic.card->response)));
}

struct Entry {
  std::string_view letters;
  Handler handler;
};

constexpr Entry kCommands[] = {
    {"CR", read_card},      {"CW", write_card},
    {"PE", eject},          {"PM", write_mode_selection},
    {"PP", prohibit},       {"PR", reset},
    {"PS", status},         {"PW", cleaning},
    {"PT", test},           {"PO", output_port},
    {"VR", version},        {"ST", model},
    {"SH", plain_setting},  {"SE", plain_setting},
    {"SP", plain_setting},  {"SL", plain_setting},
    {"SB", plain_setting},  {"SR", plain_setting},
    {"SN", plain_setting},  {"SJ", send_range},
    {"SM", plain_setting},  {"SS", plain_setting},
    {"SY", plain_setting},  {"SV", plain_setting},
    {"SG", plain_setting},  {"IU", ic_set},
    {"IE", ic_deactivate},  {"IN", ic_activate},
    {"IS", ic_activate},    {"IP", ic_data},
    {"IC", ic_data},        {"EO", eeprom_open},
    {"EC", eeprom_close},   {"EE", eeprom_enable},
    {"ED", eeprom_disable}, {"ER", eeprom_read},
    {"EW", eeprom_write},
};

Answer ng_answer(int code) {
  char text[8];
  std::snprintf(text, sizeof text, "NG%03d", code % 1000);
  return Answer::reply(text);
}

}  // namespace

Answer handle_xerv3(ReaderState& s, std::string_view command) {
  if (command.size() < 2) return ng_answer(ng::kUnknownCommand);
  const std::string_view letters = command.substr(0, 2);
  for (const Entry& e : kCommands) {
    if (e.letters != letters) continue;
    Outcome o = e.handler(s, letters, command.substr(2));
    return o.refusal != 0 ? ng_answer(o.refusal) : std::move(o.answer);
  }
  return ng_answer(ng::kUnknownCommand);
}

}  // namespace xsim
