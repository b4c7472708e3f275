// A command text ready to hand to the link, or the argument error that stopped it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace devlink {

// The longest command text any export builds: an IC data block is 2 letters, 2 length bytes and
// 288 data bytes. Framing adds at most 6 bytes, well inside the 404-byte frame buffer.
inline constexpr std::size_t kMaxCommandText = 300;

struct Command {
  int error = 0;    // 0, or 900/901/902: nothing is sent and this is the result
  int request = 0;  // pending request code handed to the link
  std::array<std::uint8_t, kMaxCommandText> bytes{};
  std::size_t length = 0;

  static Command fail(int code) {
    Command c;
    c.error = code;
    return c;
  }
  static Command make(int request, std::string_view text) {
    Command c;
    c.request = request;
    c.append(text);
    return c;
  }
  // Appends; returns false (and appends nothing) when the text would not fit.
  bool append(std::string_view s) {
    if (s.size() > bytes.size() - length) return false;
    for (char ch : s) bytes[length++] = static_cast<std::uint8_t>(ch);
    return true;
  }
  bool append(std::span<const std::uint8_t> s) {
    if (s.size() > bytes.size() - length) return false;
    for (std::uint8_t b : s) bytes[length++] = b;
    return true;
  }
  bool push(std::uint8_t b) {
    if (length >= bytes.size()) return false;
    bytes[length++] = b;
    return true;
  }
  std::span<const std::uint8_t> text() const { return {bytes.data(), length}; }
  std::string_view view() const { return {reinterpret_cast<const char*>(bytes.data()), length}; }
};

}  // namespace devlink
