#include "library_lock.h"

#include <dlfcn.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace devlink {

namespace {
// Any function of this file: dladdr finds the library (or program) it was linked into.
void anchor() {}
}  // namespace

std::string LibraryLock::path() {
  std::string dir = "/tmp";
  if (const char* run = std::getenv("XDG_RUNTIME_DIR"); run != nullptr && *run != '\0') dir = run;
  std::string id = "unknown";
  Dl_info info{};
  struct stat st {};
  if (::dladdr(reinterpret_cast<void*>(&anchor), &info) != 0 && info.dli_fname != nullptr &&
      ::stat(info.dli_fname, &st) == 0)
    id = std::to_string(static_cast<unsigned long long>(st.st_dev)) + "-" +
         std::to_string(static_cast<unsigned long long>(st.st_ino));
  return dir + "/xerv-port-" + id + ".lock";
}

bool LibraryLock::acquire() {
  if (fd_ >= 0) return true;
  const int fd = ::open(path().c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return true;  // no place for the lock: the device's own lock still guards it
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    ::close(fd);
    return false;
  }
  fd_ = fd;
  return true;
}

void LibraryLock::release() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
}

}  // namespace devlink
