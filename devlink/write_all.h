// Writing a whole buffer to a non-blocking descriptor, waiting for room, up to a deadline.
#pragma once

#include <chrono>
#include <cstdint>
#include <span>

namespace devlink {

// True when every byte was written; false on an error, a hang-up or the deadline.
bool write_all(int fd, std::span<const std::uint8_t> bytes,
               std::chrono::steady_clock::time_point deadline);

}  // namespace devlink
