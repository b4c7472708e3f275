// Reading the reader's reply texts into the window's controls: a character that must be a
// number and is not one raises ConversionError, which a button's handler shows in the standard
// error box and which ends an information sweep silently.
#pragma once

#include <QString>
#include <stdexcept>
#include <string>
#include <string_view>

namespace xtool {

class ConversionError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  QString text() const { return QString::fromLatin1(what()); }
};

// The reply in an output buffer: its bytes up to the first zero, or all `size` of them.
std::string ReplyText(const char* buffer, std::size_t size);

// Characters `from` (counted from 1) onwards, at most `count` of them; fewer, or none, where the
// reply is shorter.
std::string ReplyPart(std::string_view reply, std::size_t from, std::size_t count);

// A text read as a decimal integer: an optional sign and digits, blanks around allowed.
// Anything else (the empty text included, and a value beyond 32 bits) raises ConversionError.
int DecimalValue(std::string_view text);

// The same for hexadecimal digits (either case), no sign.
int HexValue(std::string_view text);

// Character k (from 1) of a reply read as a decimal number; a missing character reads as the
// empty text and raises ConversionError like any other non-number.
int DigitAt(std::string_view reply, std::size_t k);

// The reply bytes as the window shows them (one character per byte).
QString ReplyQString(std::string_view reply);

}  // namespace xtool
