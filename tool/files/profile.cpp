#include "profile.h"

#include <cstddef>

#include "read_file.h"
#include "text_lines.h"

namespace xtool::files {
namespace {

std::string lower_ascii(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string_view unquote(std::string_view s) {
  if (s.size() >= 2 && (s.front() == '"' || s.front() == '\'') && s.back() == s.front()) {
    return s.substr(1, s.size() - 2);
  }
  return s;
}

// Length of the character at the start of `s`: a lead byte with the continuation bytes that
// follow it, as many as it announces; any other byte counts as one character by itself.
std::size_t char_length(std::string_view s) {
  const auto lead = static_cast<unsigned char>(s[0]);
  std::size_t expected = 1;
  if (lead >= 0xF0) {
    expected = 4;
  } else if (lead >= 0xE0) {
    expected = 3;
  } else if (lead >= 0xC0) {
    expected = 2;
  }
  std::size_t length = 1;
  while (length < expected && length < s.size() &&
         (static_cast<unsigned char>(s[length]) & 0xC0) == 0x80) {
    ++length;
  }
  return length;
}

// At most `max_chars` characters of `s`, cut only between characters.
std::string_view cut_chars(std::string_view s, std::size_t max_chars) {
  std::size_t pos = 0;
  for (std::size_t n = 0; n < max_chars && pos < s.size(); ++n) {
    pos += char_length(s.substr(pos));
  }
  return s.substr(0, pos);
}

std::string clean_value(std::string_view raw) {
  return std::string(cut_chars(unquote(trim_blanks(raw)), Profile::kMaxValueChars));
}

}  // namespace

Profile Profile::parse(std::string_view utf8_text) {
  Profile profile;
  Keys* current = nullptr;  // null before the first section and in a repeated one
  for_each_line(utf8_text, [&](std::string_view line) {
    line = trim_blanks(line);
    if (line.empty() || line.front() == ';') return;
    if (line.front() == '[') {
      const std::size_t close = line.find(']');
      if (close == std::string_view::npos) return;  // a broken header: ignored
      const auto [it, added] =
          profile.sections_.try_emplace(lower_ascii(trim_blanks(line.substr(1, close - 1))));
      current = added ? &it->second : nullptr;
      return;
    }
    const std::size_t equals = line.find('=');
    if (equals == std::string_view::npos || current == nullptr) return;
    current->try_emplace(lower_ascii(trim_blanks(line.substr(0, equals))),
                         clean_value(line.substr(equals + 1)));
  });
  return profile;
}

std::optional<Profile> Profile::load(const std::string& path, Legacy legacy) {
  const std::optional<std::string> bytes = read_file_bytes(path);
  if (!bytes) return std::nullopt;
  return parse(decode_text(*bytes, legacy));
}

const std::string* Profile::find(std::string_view section, std::string_view key) const {
  const auto s = sections_.find(lower_ascii(section));
  if (s == sections_.end()) return nullptr;
  const auto k = s->second.find(lower_ascii(key));
  return k == s->second.end() ? nullptr : &k->second;
}

std::string Profile::get(std::string_view section, std::string_view key,
                         std::string_view def) const {
  const std::string* value = find(section, key);
  return value ? *value : std::string(def);
}

bool Profile::has(std::string_view section, std::string_view key) const {
  return find(section, key) != nullptr;
}

}  // namespace xtool::files
