// The control language of the virtual reader: one command a line, typed at its prompt or read
// from a script. "help" lists the commands.
#pragma once

#include <charconv>
#include <string>
#include <string_view>
#include <vector>

#include "virtual_reader.h"

namespace xsim {

struct ControlResult {
  bool ok = true;
  std::string output;  // what to show (an error message when !ok)
  bool quit = false;
};

// Runs one line. Blank lines and comments (from '#' outside quotes) do nothing.
ControlResult run_control(VirtualReader& reader, std::string_view line);

// A word of a line; quoted words may hold blanks and the escapes \" \\ \xHH.
struct Word {
  std::string text;
  bool quoted = false;
};
// Splits a line into words; false (with `error` set) for an unterminated quote or bad escape.
bool split_words(std::string_view line, std::vector<Word>& words, std::string& error);

// A track word: - (none), !D (read error digit D), anything else (or anything quoted) its data.
bool parse_track(const Word& word, Track& track);
// Bytes from words: quoted words give their characters, the others hexadecimal digits in pairs
// ("02", "4142").
bool parse_bytes(const std::vector<Word>& words, std::size_t from, Bytes& bytes);
// The value of a hexadecimal digit (either case), or -1.
int hex_digit(char c);
// The whole of `text` as a decimal number; false when it is not one or does not fit.
template <typename T>
bool parse_number(std::string_view text, T& value) {
  const auto r = std::from_chars(text.data(), text.data() + text.size(), value);
  return r.ec == std::errc() && r.ptr == text.data() + text.size();
}

std::string control_help();

}  // namespace xsim
