#include "tool_settings.h"

#include <charconv>
#include <climits>

#include "text_lines.h"

namespace xtool::files {

std::optional<int> parse_int(std::string_view text) {
  text = trim_blanks(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (text.starts_with('$')) {
    base = 16;
    text.remove_prefix(1);
  }
  // from_chars takes no sign or prefix of its own here: only digits may remain.
  if (text.empty() || text.front() == '-' || text.front() == '+') return std::nullopt;
  long long value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value, base);
  if (ec != std::errc() || ptr != end) return std::nullopt;
  if (negative) value = -value;
  if (value < INT_MIN || value > INT_MAX) return std::nullopt;
  return static_cast<int>(value);
}

ToolSettings read_tool_settings(const Profile& ini) {
  const ToolSettings defaults;
  ToolSettings settings;
  settings.language = ini.get("Setup", "Languages", defaults.language);
  settings.font_name = ini.get("Setup", "FontName", defaults.font_name);
  settings.font_size = parse_int(ini.get("Setup", "FontSize", "")).value_or(defaults.font_size);
  settings.chara_set = parse_int(ini.get("Setup", "CharaSet", "")).value_or(defaults.chara_set);
  return settings;
}

}  // namespace xtool::files
