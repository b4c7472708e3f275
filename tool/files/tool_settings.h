// The tool's own settings file, section "Setup": language and main window font.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "profile.h"

namespace xtool::files {

struct ToolSettings {
  std::string language = "0";        // key Languages, as written (the tool decides what it means)
  std::string font_name = "Tahoma";  // key FontName
  int font_size = 10;                // key FontSize; a value that is not an integer gives 10
  int chara_set = 0;                 // key CharaSet; a value that is not an integer gives 0
};

// Reads the settings from an already loaded file; a missing file is an empty Profile.
ToolSettings read_tool_settings(const Profile& ini);

// An integer as the settings file writes it: an optional sign, then decimal digits or '$' and
// hexadecimal digits, fitting in int; std::nullopt for anything else (also an empty text).
std::optional<int> parse_int(std::string_view text);

}  // namespace xtool::files
