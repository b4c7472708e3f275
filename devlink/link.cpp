#include "link.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "result.h"
#include "trace_line.h"
#include "write_all.h"

namespace devlink {

void Link::reset() {
  std::lock_guard lock(mu_);
  format_ = FrameFormat{};
  reset_receive();
  last_result_.store(0);
  hung_up_.store(false);
}

bool Link::start(int fd, std::uint32_t baud) {
  stop();
  if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  {
    std::lock_guard lock(mu_);
    stopping_ = false;
    fd_ = fd;
  }
  baud_.store(baud);
  running_.store(true);
  try {
    receiver_ = std::thread([this, fd] { receive_loop(fd); });
    monitor_ = std::thread([this] { monitor_loop(); });
  } catch (const std::system_error&) {
    stop();
    return false;
  }
  return true;
}

void Link::stop() {
  {
    std::lock_guard lock(mu_);
    stopping_ = true;
  }
  running_.store(false);
  monitor_cv_.notify_all();
  done_cv_.notify_all();
  idle_cv_.notify_all();
  if (wake_[1] >= 0) {
    const char b = 1;
    [[maybe_unused]] auto n = ::write(wake_[1], &b, 1);
  }
  if (receiver_.joinable()) receiver_.join();
  if (monitor_.joinable()) monitor_.join();
  for (int& w : wake_) {
    if (w >= 0) ::close(w);
    w = -1;
  }
  std::lock_guard lock(mu_);
  reset_receive();  // a frame cut short by the close still reaches the trace
  fd_ = -1;
}

// Reads whatever the driver holds as it arrives. A hang-up or read error ends the reading (the
// thread then only waits to be stopped), so an unplugged adapter never makes it spin.
void Link::receive_loop(int fd) {
  std::array<std::uint8_t, 400> chunk{};
  pollfd fds[2] = {{fd, POLLIN, 0}, {wake_[0], POLLIN, 0}};
  for (;;) {
    const int r = ::poll(fds, 2, -1);
    if (r < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds[1].revents != 0) break;
    if (fds[0].fd < 0) continue;
    bool failed = false;
    if ((fds[0].revents & POLLIN) != 0) {
      const ssize_t n = ::read(fd, chunk.data(), chunk.size());
      if (n > 0) {
        append({chunk.data(), static_cast<std::size_t>(n)});
      } else if (n == 0 || (errno != EAGAIN && errno != EINTR)) {
        failed = true;
      }
    } else if ((fds[0].revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) {
      failed = true;
    }
    if (failed) {
      fds[0].fd = -1;  // poll ignores it from now on
      hung_up_.store(true);
      std::lock_guard lock(mu_);
      done_cv_.notify_all();
    }
  }
}

void Link::append(std::span<const std::uint8_t> bytes) {
  std::lock_guard lock(mu_);
  last_byte_ = Clock::now();
  if (engine_.append(bytes)) {
    // The first bytes of a frame: start timing the silence after them.
    receiving_ = true;
    monitor_cv_.notify_one();
  }
}

// Sleeps until a frame is being received, then until the line has been silent for the frame
// silence after its last byte; wakes only for those two events.
void Link::monitor_loop() {
  std::unique_lock lock(mu_);
  while (!stopping_) {
    if (!receiving_) {
      monitor_cv_.wait(lock);
      continue;
    }
    const auto deadline = last_byte_ + kFrameSilence;
    if (Clock::now() < deadline) {
      monitor_cv_.wait_until(lock, deadline);
      continue;
    }
    receiving_ = false;
    if (trace_.on()) trace_received();
    engine_.complete();
    if (trace_.on()) traced_ = engine_.received().size();  // kept while a command waits
    if (engine_.answered()) done_cv_.notify_all();
    idle_cv_.notify_all();
  }
}

void Link::reset_receive() {
  if (trace_.on()) trace_received();
  engine_.reset();
  traced_ = 0;
  receiving_ = false;
  idle_cv_.notify_all();
}

// Received bytes go into the trace as the engine takes them: one line for each unit that the
// silence ends (a frame, or a control byte), stamped with the time of its last byte. Bytes that
// the engine adds to a failed frame it keeps for a waiting command, or drops at a command's
// clean-up or the close before the silence, get a line when they are dropped.
void Link::trace_received() {
  const auto held = engine_.received();
  if (held.size() > traced_) trace_.bytes(kReaderToHost, held.subspan(traced_), last_byte_);
  traced_ = held.size();
}

int Link::write_bytes(std::span<const std::uint8_t> bytes) {
  std::lock_guard lock(write_mu_);
  const int fd = fd_;  // set before the threads start and cleared only after they are joined
  if (fd < 0 || hung_up_.load()) return kNoPort;
  // Generous for the slowest line: 11 bits a byte at 4800 baud is about 2.3 ms.
  const auto per_byte = std::chrono::microseconds(11'000'000 / std::max<std::uint32_t>(baud_, 1));
  const auto deadline = Clock::now() + std::chrono::milliseconds(500) +
                        2 * per_byte * static_cast<long>(bytes.size());
  const bool written = write_all(fd, bytes, deadline);
  if (trace_.on()) {
    trace_.bytes(kHostToReader, bytes, Clock::now());
    if (!written) trace_.note("the write above failed or timed out");
  }
  return written ? kOk : kNoPort;
}

int Link::attempt(const Command& command, const Frame& frame, char* out,
                  std::size_t out_size) {
  {
    // A frame still arriving is most likely a report: let it complete and be acknowledged first.
    // An acknowledgement written right behind the command frame would reach the reader as part
    // of that frame; the reader would then send the report again and it would be stored twice.
    std::unique_lock lock(mu_);
    idle_cv_.wait_for(lock, kQuietBeforeSend / kClockDivisor,
                      [this] { return !engine_.frame_pending() || stopping_; });
    engine_.begin_wait(command.request);
  }
  int result = write_bytes(frame.view());
  std::unique_lock lock(mu_);
  if (result == kOk) {
    const auto deadline = Clock::now() + profile_.answer_timeout / kClockDivisor;
    done_cv_.wait_until(lock, deadline,
                        [this] { return engine_.answered() || stopping_ || hung_up_.load(); });
    if (engine_.answered())
      result = engine_.decode_answer(command.request, out, out_size);
    else if (stopping_ || hung_up_.load())
      result = kNoPort;
    else
      result = kTimeout;
  }
  // Clean-up: the attempt's answer (or whatever failed) is consumed; a late answer is unasked.
  // A frame still arriving at the time-out is left to complete as unasked, so that a report
  // that came just then is kept and acknowledged rather than cut in two and lost.
  if (result == kTimeout && receiving_)
    engine_.begin_wait(0);
  else
    reset_receive();
  return result;
}

int Link::transact(const Command& command, char* out, std::size_t out_size) {
  if (!running_.load()) return kNoPort;
  Frame frame;
  {
    std::lock_guard lock(mu_);
    if (!build_frame(format_, command.text(), frame)) {
      last_result_.store(kBadLength);
      return kBadLength;
    }
  }
  int result = kNakThrice;
  for (int left = kAttempts; left > 0; --left) {
    const int r = attempt(command, frame, out, out_size);
    if (r != FrameEngine::kNakResult) {
      result = r;
      break;
    }
  }
  last_result_.store(result);
  return result;
}

bool Link::wait_until_no_frame(std::chrono::milliseconds bound) {
  std::unique_lock lock(mu_);
  return idle_cv_.wait_for(lock, bound, [this] { return !engine_.frame_pending() || stopping_; });
}

}  // namespace devlink
