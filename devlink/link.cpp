#include "link.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <system_error>

#include "reports.h"
#include "result.h"

namespace devlink {

void Link::reset() {
  std::lock_guard lock(mu_);
  format_ = FrameFormat{};
  reset_receive(false);
  answered_ = false;
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
  const std::size_t room = rx_.size() - rx_count_;
  const std::size_t n = std::min(room, bytes.size());
  std::memcpy(rx_.data() + rx_count_, bytes.data(), n);
  rx_count_ += n;
  if (n < bytes.size()) overflow_ = true;
  last_byte_ = Clock::now();
  if (frame_pending_ == 0) {
    // The first bytes of a frame: start timing the silence after them.
    frame_pending_ = 1;
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
    if (rx_count_ != 0) complete_frame();
    idle_cv_.notify_all();
  }
}

void Link::reset_receive(bool keep_pending) {
  rx_count_ = 0;
  rx_[0] = 0;
  overflow_ = false;
  frame_pending_ = 0;
  receiving_ = false;
  if (!keep_pending) pending_ = 0;
  idle_cv_.notify_all();
}

bool Link::answers_report(ReplyKind kind) const {
  // A read command's answer may be the card data itself, a write's its result. Any other report
  // that arrives while a command waits is stored, and the command goes on waiting.
  if (kind == ReplyKind::CardData) return pending_ == 1;
  if (kind == ReplyKind::WriteResult) return pending_ == 3;
  return false;
}

void Link::deliver(ReplyKind kind, const ReplyRule* rule) {
  answered_ = true;
  answer_kind_ = kind;
  answer_rule_ = rule;
  done_cv_.notify_all();
}

void Link::complete_frame() {
  const std::span<const std::uint8_t> rx{rx_.data(), rx_count_};
  const bool two_byte = profile_.two_byte_control_request != 0 &&
                        pending_ == profile_.two_byte_control_request;
  FrameResult fr;
  if (!overflow_) fr = check_frame(format_, rx, two_byte);
  switch (fr.check) {
    case FrameCheck::Control: {
      const ReplyKind kind = classify_control(fr.control_byte);
      text_length_ = 0;
      text_[0] = 0;
      if (pending_ != 0) return deliver(kind, nullptr);
      decode(kind, nullptr, 0, nullptr, 0);
      return reset_receive(false);
    }
    case FrameCheck::NoStart:
      if (pending_ != 0 && profile_.keep_frame_without_start) {
        ++frame_pending_;
        return;
      }
      // Discarded; a waiting command loses its claim on the answer and ends with a time-out.
      return reset_receive(false);
    case FrameCheck::BadFrame:
      // With a command waiting, the failed frame stays until its clean-up; unasked, it is
      // discarded at once so that the reports after it are not lost.
      if (pending_ != 0) {
        ++frame_pending_;
        return;
      }
      return reset_receive(false);
    case FrameCheck::Text: break;
  }
  std::memcpy(text_.data(), rx_.data() + fr.text_begin, fr.text_length);
  text_length_ = fr.text_length;
  text_[text_length_] = 0;
  const std::span<const std::uint8_t> text{text_.data(), text_length_};
  const ReplyRule* rule = classify_text(profile_, text);
  const ReplyKind kind = rule != nullptr ? rule->kind : ReplyKind::Unknown;
  const bool report = kind == ReplyKind::CardData || kind == ReplyKind::WriteResult ||
                      kind == ReplyKind::Event || kind == ReplyKind::Error;
  if (pending_ != 0 && (!report || answers_report(kind))) return deliver(kind, rule);
  decode(kind, rule, 0, nullptr, 0);
  reset_receive(pending_ != 0);
}

void Link::acknowledge_report() {
  static constexpr std::uint8_t kAckCr[2] = {kAck, kCr};
  write_bytes({kAckCr, format_.bcc_mode == 2 ? 2u : 1u});
}

int Link::decode(ReplyKind kind, const ReplyRule* rule, int request, char* out,
                 std::size_t out_size) {
  const std::span<const std::uint8_t> text{text_.data(), text_length_};
  const std::size_t data_at = std::min(report_data_offset(profile_), text.size());
  switch (kind) {
    case ReplyKind::None:
    case ReplyKind::Unknown: return kUnknownReply;
    case ReplyKind::Ack: return kOk;
    case ReplyKind::Dle: return profile_.dle_is_error ? kDleAnswer : kOk;
    case ReplyKind::Nak: return kNakResult;
    case ReplyKind::Ng: return text.size() < 5 ? kUnknownReply : ng_code(text);
    case ReplyKind::CardData:
      acknowledge_report();  // before the split
      store_card_data(store_, profile_.protocol, format_, text.subspan(data_at));
      return kOk;
    case ReplyKind::WriteResult:
      store_write_result(store_, profile_.protocol, format_, text.subspan(data_at));
      acknowledge_report();  // after the results are stored
      return kOk;
    case ReplyKind::Event:
    case ReplyKind::Error: {
      const auto digits = text.subspan(std::min<std::size_t>(2, text.size()));
      if (kind == ReplyKind::Event)
        store_event(store_, digits);
      else
        store_error(store_, digits);
      static constexpr std::uint8_t kAckOnly[1] = {kAck};
      write_bytes(kAckOnly);
      return kOk;
    }
    case ReplyKind::Data:
      if (rule == nullptr || rule->decode == nullptr) return kUnknownReply;
      return rule->decode(ReplyEnv{text, request, out, store_, out == nullptr ? 0 : out_size});
  }
  return kUnknownReply;
}

int Link::write_bytes(std::span<const std::uint8_t> bytes) {
  std::lock_guard lock(write_mu_);
  const int fd = fd_;  // set before the threads start and cleared only after they are joined
  if (fd < 0 || hung_up_.load()) return kNoPort;
  // Generous for the slowest line: 11 bits a byte at 4800 baud is about 2.3 ms.
  const auto per_byte = std::chrono::microseconds(11'000'000 / std::max<std::uint32_t>(baud_, 1));
  const auto deadline = Clock::now() + std::chrono::milliseconds(500) +
                        2 * per_byte * static_cast<long>(bytes.size());
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n > 0) {
      done += static_cast<std::size_t>(n);
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && errno != EAGAIN) return kNoPort;
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now());
    if (left.count() <= 0) return kNoPort;
    pollfd p{fd, POLLOUT, 0};
    const int r = ::poll(&p, 1, static_cast<int>(left.count()));
    if (r < 0 && errno != EINTR) return kNoPort;
    if (r > 0 && (p.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0) return kNoPort;
  }
  return kOk;
}

int Link::attempt(const Command& command, const Frame& frame, char* out,
                  std::size_t out_size) {
  {
    std::lock_guard lock(mu_);
    pending_ = command.request;
    answered_ = false;
  }
  int result = write_bytes(frame.view());
  std::unique_lock lock(mu_);
  if (result == kOk) {
    const auto deadline = Clock::now() + profile_.answer_timeout;
    done_cv_.wait_until(lock, deadline,
                        [this] { return answered_ || stopping_ || hung_up_.load(); });
    if (answered_)
      result = decode(answer_kind_, answer_rule_, command.request, out, out_size);
    else if (stopping_ || hung_up_.load())
      result = kNoPort;
    else
      result = kTimeout;
  }
  // Clean-up: the attempt's answer (or whatever failed) is consumed; a late answer is unasked.
  answered_ = false;
  answer_kind_ = ReplyKind::None;
  answer_rule_ = nullptr;
  reset_receive(false);
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
    if (r != kNakResult) {
      result = r;
      break;
    }
  }
  last_result_.store(result);
  return result;
}

bool Link::wait_until_no_frame(std::chrono::milliseconds bound) {
  std::unique_lock lock(mu_);
  return idle_cv_.wait_for(lock, bound, [this] { return frame_pending_ == 0 || stopping_; });
}

}  // namespace devlink
