// How the exports of libxerv1 hand their commands to the library's device.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

#include "command.h"
#include "device.h"

namespace xerv1 {

// Builds the command with build(store, format) under the link's state lock and sends it; its
// reply goes into out, which holds `size` bytes (the size the header documents).
template <class Build>
std::int32_t send_built(Build&& build, char* out = nullptr, std::size_t size = 0) {
  return devlink::this_device().command(std::forward<Build>(build), out, size);
}

// Sends a command that needs neither the store nor the frame format.
inline std::int32_t send(const devlink::Command& command, char* out = nullptr,
                         std::size_t size = 0) {
  return send_built([&](devlink::Store&, devlink::FrameFormat&) { return command; }, out, size);
}

}  // namespace xerv1
