// One line of trace for bytes on the line, written alike by the libraries (XERV_TRACE) and the
// virtual reader (--trace): the time since the trace began, the direction, the bytes in hex and as
// text (control characters named, other unprintable bytes as '.').
//
//      12.345 host>rdr  02 50 50 03 03  |<STX>PP<ETX><ETX>|
#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace devlink {

// The direction words of a trace line.
inline constexpr std::string_view kHostToReader = "host>rdr";
inline constexpr std::string_view kReaderToHost = "rdr>host";

std::string hex_text(std::span<const std::uint8_t> bytes);
std::string printable_text(std::span<const std::uint8_t> bytes);
// The time stamp that starts a line: seconds and milliseconds, right-aligned, then a space.
std::string trace_stamp(std::chrono::steady_clock::duration since_start);
std::string trace_line(std::chrono::steady_clock::duration since_start, std::string_view direction,
                       std::span<const std::uint8_t> bytes);

}  // namespace devlink
