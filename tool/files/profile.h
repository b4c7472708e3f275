// An INI file read the way Windows reads a private profile: section and key names compare
// without regard to ASCII case, the first section and key of a name win, values are trimmed and
// unquoted, and whatever is missing gives the caller's default.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "text_decode.h"

namespace xtool::files {

class Profile {
 public:
  // The longest value returned, in characters (code points).
  static constexpr std::size_t kMaxValueChars = 2047;

  Profile() = default;  // empty: every get gives its default

  // Parses already decoded text. Lines end at \n, \r\n or \r; "[name]" starts a section (text
  // after ']' ignored), "key=value" adds a key, lines starting with ';' and lines with neither
  // are ignored, and keys before the first section are never found.
  static Profile parse(std::string_view utf8_text);

  // Reads, decodes and parses a file; std::nullopt when it cannot be read.
  static std::optional<Profile> load(const std::string& path, Legacy legacy);

  // The value of `key` in `section`: trimmed of blanks and tabs, one pair of matching quotes
  // removed, at most kMaxValueChars characters; `def` when the section or key is missing.
  std::string get(std::string_view section, std::string_view key, std::string_view def) const;
  bool has(std::string_view section, std::string_view key) const;

 private:
  using Keys = std::map<std::string, std::string, std::less<>>;
  const std::string* find(std::string_view section, std::string_view key) const;

  std::map<std::string, Keys, std::less<>> sections_;  // names in lower case
};

}  // namespace xtool::files
