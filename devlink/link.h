// The link engine: the receive thread, the end-of-frame monitor, and the command transaction with
// its retries and time-outs. One mutex guards the receive state, the frame format and the store;
// a second one keeps the caller's frames and the monitor's acknowledgements apart on the line.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <span>
#include <thread>

#include "command.h"
#include "frame_engine.h"
#include "frame_format.h"
#include "reply.h"
#include "store.h"
#include "wire_trace.h"

namespace devlink {

#ifdef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
// The fuzz targets run the same engine on a clock a hundred times faster, to try thousands of
// commands a second.
inline constexpr std::chrono::milliseconds kFrameSilence{1};
inline constexpr int kClockDivisor = 100;
#else
// A frame is complete after this much line silence.
inline constexpr std::chrono::milliseconds kFrameSilence{100};
inline constexpr int kClockDivisor = 1;
#endif
// Attempts of one command when the reader answers NAK.
inline constexpr int kAttempts = 3;
// How long a command waits, at most, for a frame that is arriving to complete before it is sent.
inline constexpr std::chrono::milliseconds kQuietBeforeSend{500};

class Link {
 public:
  using Clock = std::chrono::steady_clock;

  Link(const LinkProfile& profile, Store& store) : profile_(profile), store_(store) {}
  Link(const Link&) = delete;
  Link& operator=(const Link&) = delete;
  ~Link() { stop(); }

  // Resets the link record and the frame format to their defaults (every open does this).
  void reset();
  // Starts the receive and end-of-frame threads on an open descriptor; false if they can't start.
  bool start(int fd, std::uint32_t baud);
  // Stops and joins both threads. The descriptor is the caller's to close afterwards.
  void stop();
  void set_baud(std::uint32_t baud) { baud_.store(baud); }

  // Sends one command and waits for its answer: NAK retries, time-out, decoding into out, which
  // holds out_size bytes (null: the reply is checked and nothing is copied).
  int transact(const Command& command, char* out, std::size_t out_size);
  // Writes raw bytes (no framing, no answer). 0, or -1 on a line error or a write time-out.
  int write_bytes(std::span<const std::uint8_t> bytes);

  // Runs f(store, format) under the state lock.
  template <class F>
  decltype(auto) with_state(F&& f) {
    std::lock_guard lock(mu_);
    return f(store_, format_);
  }
  // Waits, at most `bound`, until no frame is being assembled. False if one still is.
  bool wait_until_no_frame(std::chrono::milliseconds bound);

  int last_result() const { return last_result_.load(); }
  void set_last_result(int r) { last_result_.store(r); }
  bool hung_up() const { return hung_up_.load(); }

  // The wire trace of every byte written and received. Open and close it only while the threads
  // are stopped (before start, after stop).
  WireTrace& trace() { return trace_; }

 private:
  void receive_loop(int fd);
  void monitor_loop();
  void append(std::span<const std::uint8_t> bytes);
  void reset_receive();
  void trace_received();
  int attempt(const Command& command, const Frame& frame, char* out, std::size_t out_size);

  const LinkProfile& profile_;
  Store& store_;

  std::mutex mu_;                      // guards everything below down to the threads
  std::condition_variable monitor_cv_; // wakes the end-of-frame monitor
  std::condition_variable done_cv_;    // wakes the caller waiting for its answer
  std::condition_variable idle_cv_;    // wakes queries waiting for a frame to finish
  FrameFormat format_;
  FrameEngine engine_{profile_, store_, format_,
                      [this](std::span<const std::uint8_t> b) { write_bytes(b); }};
  bool receiving_ = false;      // the monitor is timing the silence after the last byte
  Clock::time_point last_byte_{};
  bool stopping_ = false;
  std::size_t traced_ = 0;      // the engine's received bytes already in the trace

  std::mutex write_mu_;
  int fd_ = -1;
  int wake_[2] = {-1, -1};
  std::thread receiver_;
  std::thread monitor_;
  std::atomic<bool> running_{false};
  std::atomic<bool> hung_up_{false};
  std::atomic<std::uint32_t> baud_{9600};
  std::atomic<int> last_result_{0};
  WireTrace trace_;  // has a lock of its own; opened and closed while the threads are stopped
};

}  // namespace devlink
