#include "command_kit.h"

namespace xsim {

Outcome refused(SetResult r) {
  return refused(r == SetResult::BadLength ? ng::kBadLength : ng::kBadValue);
}

Outcome setting(ReaderState& s, std::string_view letters, std::string_view name,
                std::string_view params) {
  const bool query = params.empty();
  if (!query) {
    const SetResult r = s.settings.set(name, params);
    if (r != SetResult::Ok) return refused(r);
    if (s.ack_sets) return answered(Answer::ack());
  }
  return answered(Answer::reply(std::string(letters) + s.settings.value(name).value_or("")));
}

Outcome eeprom_open(ReaderState& s, std::string_view, std::string_view code) {
  const std::string& accepted =
      s.protocol == Protocol::Xerv3 ? s.access_code_xerv3 : s.access_code_xerv1;
  if (code != accepted) return refused(ng::kAccess);
  s.eeprom.open = true;
  return answered(Answer::ack());
}

Outcome eeprom_close(ReaderState& s, std::string_view, std::string_view) {
  s.eeprom.close();
  return answered(Answer::ack());
}

namespace {

Outcome enable_writing(ReaderState& s, bool enable) {
  if (!s.eeprom.open) return refused(ng::kAccess);
  s.eeprom.write_enabled = enable;
  return answered(Answer::ack());
}

int access_refusal(Eeprom::Access a) {
  switch (a) {
    case Eeprom::Access::Ok:
      return 0;
    case Eeprom::Access::Closed:
      return ng::kAccess;
    case Eeprom::Access::BadAddress:
    case Eeprom::Access::BadData:
      break;
  }
  return ng::kBadValue;
}

}  // namespace

Outcome eeprom_enable(ReaderState& s, std::string_view, std::string_view) {
  return enable_writing(s, true);
}

Outcome eeprom_disable(ReaderState& s, std::string_view, std::string_view) {
  return enable_writing(s, false);
}

Outcome eeprom_read(ReaderState& s, std::string_view letters, std::string_view address) {
  if (address.size() != 2) return refused(ng::kBadLength);
  std::string hex;
  if (const int r = access_refusal(s.eeprom.read(address, hex)); r != 0) return refused(r);
  return answered(Answer::reply(std::string(letters) + std::string(address) + hex));
}

Outcome eeprom_write(ReaderState& s, std::string_view, std::string_view p) {
  if (p.size() < 2) return refused(ng::kBadLength);
  const int r = access_refusal(s.eeprom.write(p.substr(0, 2), p.substr(2)));
  return r != 0 ? refused(r) : answered(Answer::ack());
}

std::string ic_reply(std::string_view letters, const std::vector<std::uint8_t>& bytes) {
  std::string out(letters);
  out.push_back(static_cast<char>((bytes.size() >> 8) & 0xFF));
  out.push_back(static_cast<char>(bytes.size() & 0xFF));
  out.append(bytes.begin(), bytes.end());
  return out;
}

std::string status_characters(const ReaderState& s, std::size_t count) {
  auto flag = [](bool b) { return b ? '1' : '0'; };
  const bool reading = s.armed && s.armed->kind == Operation::Kind::Read;
  const bool writing = s.armed && s.armed->kind == Operation::Kind::Write;
  std::string out{flag(!s.cards.empty()),      flag(reading),     flag(writing),
                  flag(s.ic.card.has_value()), flag(s.ic.active), flag(s.eeprom.open),
                  flag(s.eeprom.write_enabled)};
  out.resize(12, '0');
  out.resize(std::min<std::size_t>(count, 12));
  return out;
}

Outcome prohibit(ReaderState& s, std::string_view, std::string_view p) {
  if (!p.empty()) return refused(ng::kBadLength);
  s.armed.reset();
  return answered(Answer::ack());
}

Outcome write_mode_selection(ReaderState& s, std::string_view, std::string_view p) {
  if (p.size() != 1) return refused(ng::kBadLength);
  if (p[0] < '0' || p[0] > '2') return refused(ng::kBadValue);
  s.write_mode_selection = p[0];
  return answered(Answer::ack());
}

Outcome cleaning(ReaderState&, std::string_view, std::string_view p) {
  return p.size() == 1 ? answered(Answer::ack()) : refused(ng::kBadLength);
}

Outcome test(ReaderState& s, std::string_view letters, std::string_view p) {
  if (p.size() > 1) return refused(ng::kBadLength);
  const char t = p.empty() ? '1' : p[0];
  if (t == '0') return answered(Answer::reply(std::string(letters) + "00" + s.dip_switches));
  // Every test passes: twelve '0's.
  return answered(Answer::reply(std::string(letters) + t + std::string(12, '0')));
}

}  // namespace xsim
