#include "pty_reader.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <stdexcept>

#include "test_env.h"

namespace xtest {

Bytes bytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

Bytes framed(std::string_view text, const devlink::FrameFormat& format) {
  devlink::Frame f;
  const Bytes t = bytes(text);
  devlink::build_frame(format, t, f);
  return Bytes(f.bytes.begin(), f.bytes.begin() + static_cast<long>(f.length));
}

PtyReader::PtyReader(unsigned com) : com_(com) {
  link_ = com_dir() + "/COM" + std::to_string(com_);
  open_master();
}

void PtyReader::open_master() {
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master_ < 0 || ::grantpt(master_) != 0 || ::unlockpt(master_) != 0)
    throw std::runtime_error("no pseudo-terminal");
  ::unlink(link_.c_str());
  if (::symlink(::ptsname(master_), link_.c_str()) != 0) throw std::runtime_error("symlink");
}

PtyReader::~PtyReader() {
  stop_answering();
  ::unlink(link_.c_str());
  if (master_ >= 0) ::close(master_);
}

Bytes PtyReader::read_for(std::chrono::milliseconds window) {
  Bytes out;
  const auto end = std::chrono::steady_clock::now() + window;
  for (;;) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd p{master_, POLLIN, 0};
    if (::poll(&p, 1, static_cast<int>(left.count())) <= 0) continue;
    if ((p.revents & POLLIN) == 0) {
      ::usleep(1000);  // the slave is closed: nothing to read
      continue;
    }
    std::uint8_t buf[512];
    const ssize_t n = ::read(master_, buf, sizeof buf);
    if (n > 0) out.insert(out.end(), buf, buf + n);
  }
  return out;
}

Bytes PtyReader::read_frame(std::chrono::milliseconds wait, std::chrono::milliseconds quiet) {
  Bytes out;
  pollfd p{master_, POLLIN, 0};
  int timeout = static_cast<int>(wait.count());
  for (;;) {
    if (::poll(&p, 1, timeout) <= 0 || (p.revents & POLLIN) == 0) break;
    std::uint8_t buf[512];
    const ssize_t n = ::read(master_, buf, sizeof buf);
    if (n <= 0) break;
    out.insert(out.end(), buf, buf + n);
    timeout = static_cast<int>(quiet.count());
  }
  return out;
}

void PtyReader::send(const Bytes& b) {
  std::size_t done = 0;
  while (done < b.size()) {
    const ssize_t n = ::write(master_, b.data() + done, b.size() - done);
    if (n <= 0) return;
    done += static_cast<std::size_t>(n);
  }
}

void PtyReader::answer_with(std::function<Bytes(const Bytes&)> answer) {
  stop_answering();
  {
    std::lock_guard lock(seen_mu_);
    seen_.clear();
  }
  if (::pipe(stop_pipe_) != 0) throw std::runtime_error("pipe");
  answering_ = true;
  answerer_ = std::thread([this, answer = std::move(answer)] {
    for (;;) {
      pollfd p[2] = {{master_, POLLIN, 0}, {stop_pipe_[0], POLLIN, 0}};
      if (::poll(p, 2, -1) < 0) continue;
      if (p[1].revents != 0) return;
      if ((p[0].revents & POLLIN) == 0) {
        ::usleep(1000);
        continue;
      }
      const Bytes frame = read_frame(0ms, 20ms);
      if (frame.empty()) continue;
      {
        std::lock_guard lock(seen_mu_);
        seen_.push_back(frame);
      }
      const Bytes reply = answer(frame);
      if (!reply.empty()) send(reply);
    }
  });
}

void PtyReader::stop_answering() {
  if (!answering_) return;
  const char b = 1;
  [[maybe_unused]] auto n = ::write(stop_pipe_[1], &b, 1);
  answerer_.join();
  ::close(stop_pipe_[0]);
  ::close(stop_pipe_[1]);
  answering_ = false;
}

std::vector<Bytes> PtyReader::frames_seen() {
  std::lock_guard lock(seen_mu_);
  return seen_;
}

void PtyReader::hang_up() {
  stop_answering();
  if (master_ >= 0) ::close(master_);
  master_ = -1;
}

void PtyReader::reconnect() {
  hang_up();
  open_master();
}

}  // namespace xtest
