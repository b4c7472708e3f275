// A library's wire trace: when XERV_TRACE names a file (or is "-" for standard error), one line
// for every frame and control byte on the line, both ways, in the virtual reader's trace format,
// plus a few lines of its own that start with "--" (the port being opened and closed, a failed
// write). Off, it costs the link one test of on() per frame and nothing else.
#pragma once

#include <chrono>
#include <cstdint>
#include <mutex>
#include <span>
#include <string_view>

namespace devlink {

class WireTrace {
 public:
  using Clock = std::chrono::steady_clock;

  WireTrace() = default;
  WireTrace(const WireTrace&) = delete;
  WireTrace& operator=(const WireTrace&) = delete;
  ~WireTrace() { close(); }

  // Reads XERV_TRACE and opens its file for appending (created with mode 0600: the lines hold card
  // data); time stamps count from here. Unset or empty, the trace stays off. A file that cannot be
  // opened leaves it off too, with one line on standard error that names `library` and the cause.
  void open_from_environment(std::string_view library);
  void close();

  // Set only while the link's threads are stopped, so they read it without a lock.
  bool on() const { return fd_ >= 0; }
  // The lines; each is one write, under a lock of its own, so that threads never mix their lines.
  void bytes(std::string_view direction, std::span<const std::uint8_t> bytes, Clock::time_point at);
  void note(std::string_view text);

 private:
  void write_line(std::string_view line);

  int fd_ = -1;
  bool own_fd_ = false;  // standard error is the program's, and stays open
  Clock::time_point start_{};
  std::mutex mu_;
};

}  // namespace devlink
