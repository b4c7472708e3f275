#include "trace.h"

#include <cstdio>

namespace xsim {

namespace {

const char* control_name(std::uint8_t b) {
  switch (b) {
    case 0x02:
      return "<STX>";
    case 0x03:
      return "<ETX>";
    case 0x06:
      return "<ACK>";
    case 0x0A:
      return "<LF>";
    case 0x0D:
      return "<CR>";
    case 0x10:
      return "<DLE>";
    case 0x15:
      return "<NAK>";
    case 0x1F:
      return "<US>";
    default:
      return nullptr;
  }
}

}  // namespace

std::string hex_text(std::span<const std::uint8_t> bytes) {
  std::string out;
  char buf[4];
  for (const std::uint8_t b : bytes) {
    std::snprintf(buf, sizeof buf, "%02X", b);
    if (!out.empty()) out += ' ';
    out += buf;
  }
  return out;
}

std::string printable_text(std::span<const std::uint8_t> bytes) {
  std::string out;
  for (const std::uint8_t b : bytes) {
    if (const char* name = control_name(b)) {
      out += name;
    } else {
      out += (b >= 0x20 && b < 0x7F) ? static_cast<char>(b) : '.';
    }
  }
  return out;
}

std::string trace_line(std::chrono::steady_clock::duration since_start, std::string_view direction,
                       std::span<const std::uint8_t> bytes) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since_start).count();
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%6lld.%03lld ", static_cast<long long>(ms / 1000),
                static_cast<long long>(ms % 1000));
  return std::string(stamp) + std::string(direction) + "  " + hex_text(bytes) + "  |" +
         printable_text(bytes) + "|";
}

}  // namespace xsim
