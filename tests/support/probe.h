// The open probe (support/open_probe.c) as a second process beside the test: it loads the library
// under test and opens a port with it. For test programs built with OPEN_PROBE and XERV_LIBRARY.
#pragma once

#include <spawn.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <string>

extern char** environ;

namespace xtest {

#if defined(OPEN_PROBE) && defined(XERV_LIBRARY)

// Runs the probe on `port` in `mode` (open, hold or unload); returns what it printed on its first
// line. With `holder` the probe is left running and its pid goes there (untouched if the probe
// could not be started); otherwise the probe is waited for.
inline std::string probe(const std::string& port, const char* mode, pid_t* holder = nullptr) {
  int out[2];
  if (::pipe(out) != 0) return "pipe";
  posix_spawn_file_actions_t actions;
  ::posix_spawn_file_actions_init(&actions);
  ::posix_spawn_file_actions_adddup2(&actions, out[1], 1);
  ::posix_spawn_file_actions_addclose(&actions, out[0]);
  char* argv[] = {const_cast<char*>(OPEN_PROBE), const_cast<char*>(XERV_LIBRARY),
                  const_cast<char*>(port.c_str()), const_cast<char*>(mode), nullptr};
  pid_t pid = 0;
  const int spawned = ::posix_spawn(&pid, OPEN_PROBE, &actions, nullptr, argv, environ);
  ::posix_spawn_file_actions_destroy(&actions);
  ::close(out[1]);
  if (spawned != 0) {
    ::close(out[0]);
    return "spawn";
  }
  std::string line;
  char c = 0;
  while (::read(out[0], &c, 1) == 1 && c != '\n') line += c;
  ::close(out[0]);
  if (holder != nullptr) {
    *holder = pid;
  } else {
    ::waitpid(pid, nullptr, 0);
  }
  return line;
}

#endif

}  // namespace xtest
