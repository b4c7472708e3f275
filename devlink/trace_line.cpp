#include "trace_line.h"

#include <cstdio>

#include "frame_format.h"

namespace devlink {

namespace {

const char* control_name(std::uint8_t b) {
  switch (b) {
    case kStx:
      return "<STX>";
    case kEtx:
      return "<ETX>";
    case kAck:
      return "<ACK>";
    case kLf:
      return "<LF>";
    case kCr:
      return "<CR>";
    case kDle:
      return "<DLE>";
    case kNak:
      return "<NAK>";
    case kUs:
      return "<US>";
    default:
      return nullptr;
  }
}

}  // namespace

std::string hex_text(std::span<const std::uint8_t> bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 3);
  for (const std::uint8_t b : bytes) {
    if (!out.empty()) out += ' ';
    out += kDigits[b >> 4];
    out += kDigits[b & 0x0F];
  }
  return out;
}

std::string printable_text(std::span<const std::uint8_t> bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (const std::uint8_t b : bytes) {
    if (const char* name = control_name(b)) {
      out += name;
    } else {
      out += (b >= 0x20 && b < 0x7F) ? static_cast<char>(b) : '.';
    }
  }
  return out;
}

std::string trace_stamp(std::chrono::steady_clock::duration since_start) {
  const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(since_start).count();
  char stamp[32];
  std::snprintf(stamp, sizeof stamp, "%6lld.%03lld ", static_cast<long long>(ms / 1000),
                static_cast<long long>(ms % 1000));
  return stamp;
}

std::string trace_line(std::chrono::steady_clock::duration since_start, std::string_view direction,
                       std::span<const std::uint8_t> bytes) {
  std::string line = trace_stamp(since_start);
  line += direction;
  line += "  ";
  line += hex_text(bytes);
  line += "  |";
  line += printable_text(bytes);
  line += '|';
  return line;
}

}  // namespace devlink
