#include "reply_text.h"

#include <charconv>
#include <cstring>

namespace xtool {

namespace {

[[noreturn]] void not_a_number(std::string_view text) {
  throw ConversionError("'" + std::string(text) + "' is not a valid integer value");
}

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  return text;
}

int parse(std::string_view text, int base, bool sign_allowed) {
  std::string_view t = trimmed(text);
  bool negative = false;
  if (sign_allowed && !t.empty() && (t.front() == '+' || t.front() == '-')) {
    negative = t.front() == '-';
    t.remove_prefix(1);
  }
  if (t.empty() || t.front() == '+' || t.front() == '-') not_a_number(text);
  long long value = 0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), value, base);
  if (ec != std::errc() || end != t.data() + t.size()) not_a_number(text);
  if (negative) value = -value;
  if (value < INT32_MIN || value > INT32_MAX) not_a_number(text);
  return static_cast<int>(value);
}

}  // namespace

std::string ReplyText(const char* buffer, std::size_t size) {
  const void* zero = std::memchr(buffer, '\0', size);
  return std::string(buffer, zero ? static_cast<const char*>(zero) - buffer : size);
}

std::string ReplyPart(std::string_view reply, std::size_t from, std::size_t count) {
  if (from < 1 || from > reply.size()) return {};
  return std::string(reply.substr(from - 1, count));
}

int DecimalValue(std::string_view text) { return parse(text, 10, true); }

int HexValue(std::string_view text) { return parse(text, 16, false); }

int DigitAt(std::string_view reply, std::size_t k) { return DecimalValue(ReplyPart(reply, k, 1)); }

QString ReplyQString(std::string_view reply) {
  return QString::fromLatin1(reply.data(), static_cast<qsizetype>(reply.size()));
}

}  // namespace xtool
