#include "wire_trace.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "trace_line.h"

namespace devlink {

void WireTrace::open_from_environment(std::string_view library) {
  close();
  const char* path = std::getenv("XERV_TRACE");
  if (path == nullptr || *path == '\0') return;
  start_ = Clock::now();
  if (std::strcmp(path, "-") == 0) {
    fd_ = STDERR_FILENO;
    own_fd_ = false;
    return;
  }
  // Non-blocking, so that a FIFO without a reader is refused at once and a full one loses lines
  // rather than holding up a command.
  fd_ = ::open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0600);
  own_fd_ = fd_ >= 0;
  if (fd_ < 0) {
    char reason[128];
    const char* why = ::strerror_r(errno, reason, sizeof reason);
    std::fprintf(stderr, "%.*s: XERV_TRACE: cannot open %s: %s; no trace\n",
                 static_cast<int>(library.size()), library.data(), path, why);
  }
}

void WireTrace::close() {
  if (own_fd_) ::close(fd_);
  fd_ = -1;
  own_fd_ = false;
}

void WireTrace::bytes(std::string_view direction, std::span<const std::uint8_t> bytes,
                      Clock::time_point at) {
  if (fd_ < 0) return;
  write_line(trace_line(at - start_, direction, bytes) + '\n');
}

void WireTrace::note(std::string_view text) {
  if (fd_ < 0) return;
  std::string line = trace_stamp(Clock::now() - start_);
  line += "-- ";
  line += text;
  line += '\n';
  write_line(line);
}

void WireTrace::write_line(std::string_view line) {
  std::lock_guard lock(mu_);
  while (!line.empty()) {
    const ssize_t n = ::write(fd_, line.data(), line.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;  // a full disk or pipe loses the line; the command goes on
    line.remove_prefix(static_cast<std::size_t>(n));
  }
}

}  // namespace devlink
