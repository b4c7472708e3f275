#include "command_shapes.h"

#include "result.h"

namespace devlink {

bool query_form(std::initializer_list<const char*> values) {
  bool all_null = true;
  bool all_empty = true;
  for (const char* v : values) {
    if (v != nullptr) all_null = false;
    if (v == nullptr || v[0] != '\0') all_empty = false;
  }
  return all_null || all_empty;
}

Command single_value_setting(int request, std::string_view letters, const char* p1) {
  Command c = Command::make(request, letters);
  if (!absent(p1)) c.push(static_cast<std::uint8_t>(p1[0]));
  return c;
}

namespace {

// A value of a multi-value set form must be there: 900 when null, 902 when empty.
int present(const char* v) { return v == nullptr ? kNullArg : (v[0] == '\0' ? kBadValue : kOk); }

}  // namespace

Command first_chars_setting(int request, std::string_view letters,
                            std::initializer_list<const char*> values) {
  Command c = Command::make(request, letters);
  if (query_form(values)) return c;
  for (const char* v : values) {
    if (const int r = present(v); r != kOk) return Command::fail(r);
    c.push(static_cast<std::uint8_t>(v[0]));
  }
  return c;
}

int check_length(const char* s, std::size_t n) {
  if (s == nullptr) return kNullArg;
  return has_length(s, n) ? kOk : kBadLength;
}

int check_choice(const char* s, std::string_view allowed) {
  if (const int r = check_length(s, 1); r != kOk) return r;
  return allowed.find(s[0]) == std::string_view::npos ? kBadValue : kOk;
}

int append_pair(Command& c, const char* v) {
  if (v == nullptr) return kNullArg;
  if (::strnlen(v, 2) < 2) return kBadLength;
  c.push(static_cast<std::uint8_t>(v[0]));
  c.push(static_cast<std::uint8_t>(v[1]));
  return kOk;
}

Command comm_format_setting(int request, std::string_view letters, const char* const p[7],
                            std::string_view user_separator_modes) {
  Command c = Command::make(request, letters);
  if (query_form({p[0], p[1], p[2], p[3], p[4], p[5], p[6]})) return c;
  for (int i = 0; i < 4; ++i) {
    if (const int r = present(p[i]); r != kOk) return Command::fail(r);
    c.push(static_cast<std::uint8_t>(p[i][0]));
  }
  if (!needs_user_codes(p[0][0], p[1][0], p[3][0], user_separator_modes)) return c;
  for (int i = 4; i < 7; ++i)
    if (const int r = append_pair(c, p[i]); r != kOk) return Command::fail(r);
  return c;
}

bool append_separated_tracks(Command& c, CardStore& card, std::uint8_t separator,
                             const char* track1, const char* track2, const char* track3) {
  const char* const tracks[3] = {track1, track2, track3};
  for (int k = 0; k < 3; ++k) {
    if (k > 0 && !c.push(separator)) return false;
    if (absent(tracks[k])) continue;
    if (!c.append(std::string_view(tracks[k]))) return false;
    card.request[k] = 1;
  }
  return true;
}

}  // namespace devlink
