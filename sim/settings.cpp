#include "settings.h"

#include <algorithm>

namespace xsim {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

namespace {

struct Rule;
using Apply = SetResult (*)(const Rule& rule, std::string& value, std::string_view params);

// One setting: its XERV3 letters, its XERV1 letter (empty when XERV1 has none), its defaults and
// the check of its set form. `allowed` lists the characters of a one-character setting.
struct Rule {
  std::string_view name;
  std::string_view xerv1;
  std::string_view initial;
  Apply apply;
  std::string_view allowed = {};
};

bool in(std::string_view set, char c) {
  return set.find(c) != std::string_view::npos;
}
bool hex_pair(std::string_view s) {
  return devlink::parse_hex_pair(s[0], s[1]) >= 0;
}

SetResult single(const Rule& rule, std::string& value, std::string_view p) {
  if (p.size() != 1) return SetResult::BadLength;
  if (!in(rule.allowed, p[0])) return SetResult::BadValue;
  value.assign(1, p[0]);  // not `value = p`: GCC 12 warns falsely (-Wrestrict) about that copy
  return SetResult::Ok;
}

// "SH": p1 F/R, p2 F1 R1 F0 R0 S0, and with F1 or R1 an optional p3: F or S and two digits.
// F0, R0 and S0 have no third value, so the reader then answers three characters; F1 or R1
// without p3 keeps the third value it holds.
SetResult card_inst_end(const Rule&, std::string& value, std::string_view p) {
  if (p.size() != 3 && p.size() != 6) return SetResult::BadLength;
  if (!in("FR", p[0])) return SetResult::BadValue;
  const std::string_view p2 = p.substr(1, 2);
  const bool timed = p2 == "F1" || p2 == "R1";
  if (!timed && p2 != "F0" && p2 != "R0" && p2 != "S0") return SetResult::BadValue;
  if (p.size() == 6) {
    if (!timed) return SetResult::BadLength;
    if (!in("FS", p[3]) || !is_digit(p[4]) || !is_digit(p[5])) return SetResult::BadValue;
  }
  if (timed && p.size() == 3 && value.size() == 6) {
    value.replace(0, 3, p);
  } else {
    value = p;
  }
  return SetResult::Ok;
}

// "SP" / "e": p1 0 1, p2 F R, p3 0 F R.
SetResult power_on_off(const Rule&, std::string& value, std::string_view p) {
  if (p.size() != 3) return SetResult::BadLength;
  if (!in("01", p[0]) || !in("FR", p[1]) || !in("0FR", p[2])) return SetResult::BadValue;
  value = p;
  return SetResult::Ok;
}

// "SL" / "SB": p1 0 1, then four digits.
SetResult operation(const Rule&, std::string& value, std::string_view p) {
  if (p.size() != 5) return SetResult::BadLength;
  if (!in("01", p[0]) || !std::all_of(p.begin() + 1, p.end(), is_digit)) return SetResult::BadValue;
  value = p;
  return SetResult::Ok;
}

// "SR" / "g": data bits, parity, stop bits, baud rate, CTS monitoring (as list positions), then
// the retry count and the time-out as one digit each.
SetResult comm_control(const Rule&, std::string& value, std::string_view p) {
  if (p.size() != 7) return SetResult::BadLength;
  const bool ok = in("01", p[0]) && in("012", p[1]) && in("01", p[2]) && in("0123", p[3]) &&
                  in("01", p[4]) && is_digit(p[5]) && is_digit(p[6]);
  if (!ok) return SetResult::BadValue;
  value = p;
  return SetResult::Ok;
}

// "SN" / "f": start, end, block check and separator modes, then (optionally) the user start,
// end and separator codes as upper-case hexadecimal pairs. Four characters keep the user codes.
SetResult comm_format(const Rule&, std::string& value, std::string_view p) {
  if (p.size() != 4 && p.size() != 10) return SetResult::BadLength;
  if (!in("012", p[0]) || !in("012345", p[1]) || !in("012", p[2]) || !in("0123", p[3]))
    return SetResult::BadValue;
  for (std::size_t i = 4; i < p.size(); i += 2) {
    if (!hex_pair(p.substr(i, 2))) return SetResult::BadValue;
  }
  value.replace(0, p.size(), p);
  return SetResult::Ok;
}

// "SJ<track>": the track digit, then the start and end positions as hexadecimal pairs.
SetResult send_range(const Rule&, std::string& value, std::string_view p) {
  if (p.size() != 5) return SetResult::BadLength;
  if (p[0] != value[0]) return SetResult::BadValue;
  if (!hex_pair(p.substr(1, 2)) || !hex_pair(p.substr(3, 2))) return SetResult::BadValue;
  value = p;
  return SetResult::Ok;
}

// "j" (XERV1): three track switches 0 or 1; the fourth reply character stays.
SetResult track_info(const Rule&, std::string& value, std::string_view p) {
  if (p.size() != 3) return SetResult::BadLength;
  if (!std::all_of(p.begin(), p.end(), [](char c) { return c == '0' || c == '1'; }))
    return SetResult::BadValue;
  value.replace(0, 3, p);
  return SetResult::Ok;
}

constexpr Rule kRules[] = {
    {"SH", "", "FF1F30", card_inst_end},    {"SE", "", "0", single, "0123456789ABCDE"},
    {"SP", "e", "0FF", power_on_off},       {"SL", "", "11100", operation},
    {"SB", "", "11000", operation},         {"SR", "g", "1101035", comm_control},
    {"SN", "f", "1410000000", comm_format}, {"SJ1", "", "100FF", send_range},
    {"SJ2", "", "200FF", send_range},       {"SJ3", "", "300FF", send_range},
    {"SJ4", "", "400FF", send_range},       {"SM", "c", "0", single, "012"},
    {"SS", "h", "0", single, "01"},         {"SY", "", "3", single, "0123456789"},
    {"SV", "b", "2", single, "0123"},       {"SG", "", "0", single, "01"},
    {"o", "o", "0", single, "01"},          {"j", "j", "1110", track_info},
};

const Rule* rule_for(std::string_view name) {
  for (const Rule& r : kRules) {
    if (r.name == name) return &r;
  }
  return nullptr;
}

}  // namespace

Settings::Settings(Protocol protocol) {
  for (const Rule& r : kRules) values_.emplace_back(r.name, r.initial);
  // An XERV1 reader runs its line with seven data bits.
  if (protocol == Protocol::Xerv1) find("SR")->front() = '0';
}

std::optional<std::string_view> Settings::name_for(Protocol protocol, std::string_view letters) {
  for (const Rule& r : kRules) {
    const bool xerv1_only = r.name.size() == 1;
    if (protocol == Protocol::Xerv1 && !r.xerv1.empty() && r.xerv1 == letters) return r.name;
    if (protocol == Protocol::Xerv3 && !xerv1_only && r.name == letters) return r.name;
  }
  return std::nullopt;
}

std::string* Settings::find(std::string_view name) {
  for (auto& [n, v] : values_) {
    if (n == name) return &v;
  }
  return nullptr;
}

std::optional<std::string> Settings::value(std::string_view name) const {
  for (const auto& [n, v] : values_) {
    if (n == name) return v;
  }
  return std::nullopt;
}

SetResult Settings::set(std::string_view name, std::string_view params) {
  const Rule* rule = rule_for(name);
  std::string* value = find(name);
  if (rule == nullptr || value == nullptr) return SetResult::BadValue;
  std::string updated = *value;
  const SetResult r = rule->apply(*rule, updated, params);
  if (r == SetResult::Ok) *value = updated;
  return r;
}

devlink::FrameFormat Settings::frame_format() const {
  const std::string v = *value("SN");
  auto user = [&](std::size_t at) {
    return static_cast<std::uint8_t>(devlink::parse_hex_pair(v[at], v[at + 1]));
  };
  devlink::FrameFormat f;
  f.set_start(static_cast<std::uint8_t>(v[0] - '0'), user(4));
  f.set_end(static_cast<std::uint8_t>(v[1] - '0'), user(6));
  f.set_bcc(static_cast<std::uint8_t>(v[2] - '0'));
  f.set_separator(static_cast<std::uint8_t>(v[3] - '0'), user(8));
  return f;
}

}  // namespace xsim
