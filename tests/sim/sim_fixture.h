// Drives the virtual reader in-process as a host would: the test opens the reader's COM link,
// sends raw frames and reads the reader's answers.
#pragma once

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>

#include "frame_format.h"
#include "test_env.h"
#include "trace.h"
#include "virtual_reader.h"

namespace simtest {

using namespace std::chrono_literals;
using xsim::Bytes;

inline Bytes bytes(std::string_view s) {
  return Bytes(s.begin(), s.end());
}

// The host's end of the line.
class Host {
 public:
  explicit Host(const std::string& link) {
    fd_ = ::open(link.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd_ < 0) throw std::runtime_error("cannot open " + link);
    termios t{};
    ::tcgetattr(fd_, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(fd_, TCSANOW, &t);
  }
  ~Host() { ::close(fd_); }
  Host(const Host&) = delete;
  Host& operator=(const Host&) = delete;

  void send(const Bytes& b) {
    ASSERT_EQ(::write(fd_, b.data(), b.size()), static_cast<ssize_t>(b.size()));
  }
  void send_text(std::string_view text) {
    devlink::Frame f;
    ASSERT_TRUE(devlink::build_frame(format, bytes(text), f));
    send(Bytes(f.bytes.begin(), f.bytes.begin() + static_cast<long>(f.length)));
  }

  // What arrives: waits up to `wait` for the first byte, then until `quiet` passes without more.
  Bytes read(std::chrono::milliseconds wait = 1500ms, std::chrono::milliseconds quiet = 30ms) {
    Bytes out;
    int timeout = static_cast<int>(wait.count());
    for (;;) {
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, timeout) <= 0 || (p.revents & POLLIN) == 0) return out;
      std::uint8_t buf[512];
      const ssize_t n = ::read(fd_, buf, sizeof buf);
      if (n <= 0) return out;
      out.insert(out.end(), buf, buf + n);
      timeout = static_cast<int>(quiet.count());
    }
  }

  // An answer as text: "<ACK>", "<NAK>", "<DLE>" (a trailing CR allowed), the text of a good
  // frame, "<BAD> ..." for a frame that fails the host's check, "" for nothing.
  std::string decode(const Bytes& b) const {
    if (b.empty()) return "";
    const bool control = b.size() == 1 || (b.size() == 2 && b[1] == devlink::kCr);
    if (control && b[0] == devlink::kAck) return "<ACK>";
    if (control && b[0] == devlink::kNak) return "<NAK>";
    if (control && b[0] == devlink::kDle) return "<DLE>";
    const devlink::FrameResult r = devlink::check_frame(format, b, false);
    if (r.check != devlink::FrameCheck::Text) return "<BAD> " + xsim::hex_text(b);
    return std::string(b.begin() + static_cast<long>(r.text_begin),
                       b.begin() + static_cast<long>(r.text_begin + r.text_length));
  }
  std::string answer(std::chrono::milliseconds wait = 1500ms) { return decode(read(wait)); }
  std::string ask(std::string_view text) {
    send_text(text);
    return answer();
  }
  void ack() {
    send(format.bcc_mode == 2 ? Bytes{devlink::kAck, devlink::kCr} : Bytes{devlink::kAck});
  }

  int fd() const { return fd_; }
  devlink::FrameFormat format;

 private:
  int fd_ = -1;
};

// Short delays, so the tests run quickly; quiet log.
inline xsim::Options test_options(xsim::Protocol protocol = xsim::Protocol::Xerv3) {
  xsim::Options o;
  o.protocol = protocol;
  o.dir = xtest::com_dir();
  o.timing.report_delay = 50ms;
  o.timing.frame_gap = 120ms;
  o.timing.ack_timeout = 400ms;
  o.log = [](std::string_view) {};
  return o;
}

class SimTest : public ::testing::Test {
 protected:
  void start(xsim::Options o = test_options()) {
    reader = std::make_unique<xsim::VirtualReader>(std::move(o));
    reader->start();
    host = std::make_unique<Host>(reader->link_path());
  }
  void TearDown() override {
    host.reset();
    if (reader) reader->stop();
  }

  // Sends each command in turn and expects its answer.
  struct Exchange {
    std::string_view command;
    std::string_view answer;
  };
  void expect_exchanges(std::initializer_list<Exchange> table) {
    for (const Exchange& e : table) EXPECT_EQ(host->ask(e.command), e.answer) << e.command;
  }

  std::unique_ptr<xsim::VirtualReader> reader;
  std::unique_ptr<Host> host;
};

}  // namespace simtest
