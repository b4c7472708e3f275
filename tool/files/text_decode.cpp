#include "text_decode.h"

#include <errno.h>
#include <iconv.h>

#include <cstddef>

namespace xtool::files {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

bool is_continuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// Length of the well-formed UTF-8 sequence at the start of `s`, 0 when there is none.
std::size_t utf8_sequence_length(std::string_view s) {
  const auto b0 = static_cast<unsigned char>(s[0]);
  if (b0 < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    length = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    length = 3;
    if (b0 == 0xE0) low = 0xA0;   // overlong
    if (b0 == 0xED) high = 0x9F;  // surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    length = 4;
    if (b0 == 0xF0) low = 0x90;   // overlong
    if (b0 == 0xF4) high = 0x8F;  // past U+10FFFF
  } else {
    return 0;
  }
  if (s.size() < length) return 0;
  const auto b1 = static_cast<unsigned char>(s[1]);
  if (b1 < low || b1 > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!is_continuation(static_cast<unsigned char>(s[i]))) return 0;
  }
  return length;
}

const char* code_page_name(Legacy legacy) {
  return legacy == Legacy::ShiftJis ? "CP932" : "CP1252";
}

// Converts with iconv, one U+FFFD for each byte it cannot convert (a byte that starts no valid
// character, or an incomplete character at the end).
std::string convert(std::string_view bytes, iconv_t cd) {
  std::string out;
  out.reserve(bytes.size() * 2);
  char buffer[4096];
  char* in = const_cast<char*>(bytes.data());  // iconv's signature; it does not write there
  std::size_t in_left = bytes.size();
  while (in_left > 0) {
    char* to = buffer;
    std::size_t to_left = sizeof buffer;
    const std::size_t rc = iconv(cd, &in, &in_left, &to, &to_left);
    out.append(buffer, static_cast<std::size_t>(to - buffer));
    if (rc != static_cast<std::size_t>(-1) || errno == E2BIG) continue;
    // EILSEQ or EINVAL: replace the offending byte, clear any shift state and go on.
    out += kReplacement;
    ++in;
    --in_left;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return out;
}

// Without the converter (gconv modules missing), ASCII stays and every other byte is replaced.
std::string ascii_only(std::string_view bytes) {
  std::string out;
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) < 0x80) {
      out += c;
    } else {
      out += kReplacement;
    }
  }
  return out;
}

}  // namespace

bool is_valid_utf8(std::string_view bytes) {
  while (!bytes.empty()) {
    const std::size_t length = utf8_sequence_length(bytes);
    if (length == 0) return false;
    bytes.remove_prefix(length);
  }
  return true;
}

std::string decode_text(std::string_view bytes, Legacy legacy) {
  if (is_valid_utf8(bytes)) {
    if (bytes.starts_with(kBom)) bytes.remove_prefix(kBom.size());
    return std::string(bytes);
  }
  const iconv_t cd = iconv_open("UTF-8", code_page_name(legacy));
  if (cd == reinterpret_cast<iconv_t>(-1)) return ascii_only(bytes);
  std::string out = convert(bytes, cd);
  iconv_close(cd);
  return out;
}

}  // namespace xtool::files
