#include "read_file.h"

#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace xtool::files {
namespace {

// Closes the descriptor when it goes out of scope.
class FdCloser {
 public:
  explicit FdCloser(int fd) : fd_(fd) {}
  ~FdCloser() { ::close(fd_); }
  FdCloser(const FdCloser&) = delete;
  FdCloser& operator=(const FdCloser&) = delete;

 private:
  int fd_;
};

// Reads to the end, stopping with std::nullopt on an error or past kMaxFileBytes (the size
// given by stat may be out of date or zero, as on some special file systems).
std::optional<std::string> read_all(int fd, std::size_t size_hint) {
  std::string bytes;
  bytes.reserve(size_hint);
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n == 0) return bytes;
    if (n < 0) {
      if (errno == EINTR) continue;
      return std::nullopt;
    }
    if (bytes.size() + static_cast<std::size_t>(n) > kMaxFileBytes) return std::nullopt;
    bytes.append(buffer, static_cast<std::size_t>(n));
  }
}

bool is_readable_regular_file(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), R_OK) == 0;
}

}  // namespace

std::optional<std::string> read_file_bytes(const std::string& path) {
  // O_NONBLOCK: opening a named pipe must not wait for a writer; it is refused below.
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
  if (fd < 0) return std::nullopt;
  const FdCloser closer(fd);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return std::nullopt;
  if (st.st_size < 0 || static_cast<std::size_t>(st.st_size) > kMaxFileBytes) return std::nullopt;
  return read_all(fd, static_cast<std::size_t>(st.st_size));
}

std::string find_file(const std::vector<std::string>& dirs, std::string_view name) {
  if (name.empty()) return {};
  for (const std::string& dir : dirs) {
    std::string path = dir;
    if (!path.empty() && !path.ends_with('/')) path += '/';
    path += name;
    if (is_readable_regular_file(path)) return path;
  }
  return {};
}

}  // namespace xtool::files
