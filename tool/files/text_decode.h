// Turns the bytes of a text file into UTF-8. Our own files are UTF-8; files of older
// installations are in an 8-bit code page and load unchanged through the converter.
#pragma once

#include <string>
#include <string_view>

namespace xtool::files {

// The 8-bit code page of an older file: Shift-JIS for the Japanese files, Windows-1252 for the
// English ones.
enum class Legacy { ShiftJis, Windows1252 };

// True when `bytes` are well-formed UTF-8 (no overlong forms, surrogates or values past
// U+10FFFF).
bool is_valid_utf8(std::string_view bytes);

// The file's bytes as UTF-8: unchanged (a leading UTF-8 byte order mark removed) when they are
// valid UTF-8, else converted from the legacy code page, every byte that cannot be converted
// becoming U+FFFD. Never fails.
std::string decode_text(std::string_view bytes, Legacy legacy);

}  // namespace xtool::files
