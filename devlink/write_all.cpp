#include "write_all.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>

namespace devlink {

bool write_all(int fd, std::span<const std::uint8_t> bytes,
               std::chrono::steady_clock::time_point deadline) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return false;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd p{fd, POLLOUT, 0};
    const int r = ::poll(&p, 1, static_cast<int>(left.count()));
    if (r < 0 && errno != EINTR) return false;
    if (r > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) return false;
  }
  return true;
}

}  // namespace devlink
