#include "trace.h"

#include <cstdio>

#include "frame_format.h"

namespace xsim {

namespace {

const char* control_name(std::uint8_t b) {
  switch (b) {
    case devlink::kStx:
      return "<STX>";
    case devlink::kEtx:
      return "<ETX>";
    case devlink::kAck:
      return "<ACK>";
    case devlink::kLf:
      return "<LF>";
    case devlink::kCr:
      return "<CR>";
    case devlink::kDle:
      return "<DLE>";
    case devlink::kNak:
      return "<NAK>";
    case devlink::kUs:
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
