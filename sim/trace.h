// One line of trace for bytes on the line: time since start, direction, the bytes in hex and as
// text (control characters named, other unprintable bytes as '.').
#pragma once

#include <chrono>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace xsim {

std::string hex_text(std::span<const std::uint8_t> bytes);
std::string printable_text(std::span<const std::uint8_t> bytes);
std::string trace_line(std::chrono::steady_clock::duration since_start, std::string_view direction,
                       std::span<const std::uint8_t> bytes);

}  // namespace xsim
