// Command shapes that both libraries share, each called with the library's own letters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <string_view>

#include "command.h"
#include "frame_format.h"
#include "store.h"

namespace devlink {

// True when a string argument is null or empty.
inline bool absent(const char* s) { return s == nullptr || s[0] == '\0'; }

// True when s (non-null) is exactly n characters long; reads at most n + 1 of them.
inline bool has_length(const char* s, std::size_t n) { return ::strnlen(s, n + 1) == n; }

// The argument checks of a string of exactly n characters: 900 null, 901 another length, else 0.
int check_length(const char* s, std::size_t n);

// The argument checks of one character from `allowed`: 900 null, 901 not one character, 902 not
// in allowed, else 0.
int check_choice(const char* s, std::string_view allowed);

// Appends the first two characters of a value that must have them: 900 null, 901 shorter than
// two characters (nothing appended), else 0.
int append_pair(Command& c, const char* v);

// The query form of a setting is sent when every value argument is null, or every one is empty.
bool query_form(std::initializer_list<const char*> values);

// A setting with one value: the letters alone when p1 is null or empty, else letters + p1[0].
Command single_value_setting(int request, std::string_view letters, const char* p1);

// A setting sent as the letters and the first character of each value (query when all absent).
// In the set form a null value is refused with 900 and an empty one with 902, so that no NUL
// byte ever reaches the wire.
Command first_chars_setting(int request, std::string_view letters,
                            std::initializer_list<const char*> values);

// Whether a frame format's modes (start, end and separator) call for the three user codes: the
// start mode '2', the end mode '5' or a separator mode among `user_separator_modes`. The set form
// sends the codes, and the reader's answer carries them, only then.
inline bool needs_user_codes(char start, char end, char separator,
                             std::string_view user_separator_modes) {
  return start == '2' || end == '5' ||
         user_separator_modes.find(separator) != std::string_view::npos;
}

// The frame-format setting: letters + p1[0] p2[0] p3[0] p4[0], then the three two-character user
// codes p5 p6 p7 when p1[0] is '2', p2[0] is '5' or p4[0] is one of `user_separator_modes`.
// The query form when all seven are absent. p1..p4 must be given (900 null, 902 empty); the user
// codes only when they are sent (900 null, 901 shorter than two characters).
Command comm_format_setting(int request, std::string_view letters, const char* const p[7],
                            std::string_view user_separator_modes);

// The three-track write layout "[track1] S [track2] S [track3]": each non-empty text fills its
// field and sets that track's request flag to 1. False when the text does not fit.
bool append_separated_tracks(Command& c, CardStore& card, std::uint8_t separator,
                             const char* track1, const char* track2, const char* track3);

}  // namespace devlink
