// The lock that lets one process at a time hold a port through a given library file: a file in
// $XDG_RUNTIME_DIR (else /tmp) named after the library file's device and inode, held with flock
// while the port is open. The kernel drops it when the holder dies.
#pragma once

#include <string>

namespace devlink {

class LibraryLock {
 public:
  LibraryLock() = default;
  LibraryLock(const LibraryLock&) = delete;
  LibraryLock& operator=(const LibraryLock&) = delete;
  ~LibraryLock() { release(); }

  // False when another process holds the lock. When no lock file can be made at all, the open
  // goes on without it (the device's own exclusive lock still keeps a second opener out).
  bool acquire();
  void release();

  static std::string path();

 private:
  int fd_ = -1;
};

}  // namespace devlink
