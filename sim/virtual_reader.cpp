#include "virtual_reader.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <stdexcept>

#include "../xerv1/eeprom_commands.h"
#include "../xerv3com/eeprom_commands.h"
#include "eeprom.h"
#include "write_all.h"

namespace xsim {

namespace {

constexpr std::size_t kMaxChunk = 4096;

std::string fitted(std::string text, std::size_t length, char fill) {
  text.resize(length, fill);
  return text;
}

ReaderState initial_state(const Options& o) {
  ReaderState s(o.protocol, o.model);
  s.access_code_xerv3 =
      o.access_code_xerv3.empty() ? default_access_code(Protocol::Xerv3) : o.access_code_xerv3;
  s.access_code_xerv1 =
      o.access_code_xerv1.empty() ? default_access_code(Protocol::Xerv1) : o.access_code_xerv1;
  s.version =
      fitted(o.version.empty() ? default_version(o.protocol) : o.version, kVersionLength, ' ');
  s.dip_switches = fitted(o.dip_switches, kDipSwitches, '0');
  s.ack_sets = o.ack_sets;
  return s;
}

std::string make_temporary_dir() {
  char path[] = "/tmp/xerv-sim-XXXXXX";
  if (::mkdtemp(path) == nullptr) throw std::runtime_error("cannot make a port folder");
  return path;
}

void drain(int fd) {
  char buf[64];
  while (::read(fd, buf, sizeof buf) > 0) {
  }
}

}  // namespace

std::string default_access_code(Protocol protocol) {
  // The code each library sends.
  const auto code = devlink::assemble_access_code(protocol == Protocol::Xerv3 ? xerv3::kAccessCode
                                                                              : xerv1::kAccessCode);
  return std::string(code.begin(), code.end());
}

VirtualReader::VirtualReader(Options options)
    : options_(std::move(options)),
      engine_(initial_state(options_), options_.timing, Clock::now()) {
  engine_.set_trace(options_.trace);
  // The wake-up pipe lives as long as the object, so that any thread may wake the loop.
  if (::pipe2(wake_, O_CLOEXEC | O_NONBLOCK) != 0) throw std::runtime_error("cannot make a pipe");
}

VirtualReader::~VirtualReader() {
  stop();
  ::close(wake_[0]);
  ::close(wake_[1]);
}

std::string VirtualReader::link_path() const {
  return dir_ + "/COM" + port();
}

std::string VirtualReader::slave_name() const {
  std::lock_guard lock(mu_);
  return port_.is_open() ? port_.slave_name() : std::string();
}

void VirtualReader::start() {
  std::lock_guard lock(mu_);
  if (running_) return;
  dir_ = options_.dir;
  if (dir_.empty()) {
    const char* env = std::getenv("XERV_COM_DIR");
    dir_ = env != nullptr ? env : "";
  }
  if (dir_.empty()) {
    dir_ = make_temporary_dir();
    made_dir_ = true;
  } else if (::mkdir(dir_.c_str(), 0700) != 0 && errno != EEXIST) {
    throw std::runtime_error("cannot make the port folder " + dir_);
  }
  port_.set_link(link_path());
  port_.open();
  drain(wake_[0]);
  stopping_ = false;
  running_ = true;
  thread_ = std::thread(&VirtualReader::loop, this);
}

void VirtualReader::stop() {
  {
    std::lock_guard lock(mu_);
    if (!running_) return;
    stopping_ = true;
  }
  wake();
  thread_.join();
  std::lock_guard lock(mu_);
  port_.close();
  port_.unlink();
  if (made_dir_) ::rmdir(dir_.c_str());
  running_ = false;
  changed_.notify_all();
}

void VirtualReader::wake() const {
  const char b = 1;
  [[maybe_unused]] const auto n = ::write(wake_[1], &b, 1);
}

void VirtualReader::emit(const std::vector<std::string>& notes) const {
  for (const std::string& line : notes) {
    if (options_.log) {
      options_.log(line);
    } else {
      std::cerr << line << '\n';
    }
  }
}

// --- The reader's thread ----------------------------------------------------------------------

namespace {

// Writes all of `bytes` to the non-blocking master; a host that reads nothing for a while loses
// the rest. Returns false when bytes were lost.
bool write_all(int fd, const Bytes& bytes) {
  return devlink::write_all(fd, bytes, std::chrono::steady_clock::now() + milliseconds(100));
}

Bytes read_available(int fd) {
  Bytes got;
  std::uint8_t buf[512];
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n <= 0) break;
    got.insert(got.end(), buf, buf + n);
  }
  return got;
}

}  // namespace

void VirtualReader::serve_port_requests(Time now) {
  if (hang_up_requested_) {
    hang_up_requested_ = false;
    port_.close();
    engine_.line_lost();
    rx_.clear();
    engine_.note("line hung up");
    changed_.notify_all();
  }
  if (reconnect_at_ && now >= *reconnect_at_) {
    reconnect_at_.reset();
    if (port_.is_open()) engine_.line_lost();
    rx_.clear();
    try {
      port_.open();
      engine_.note("line back on " + port_.slave_name());
    } catch (const std::exception& e) {
      engine_.note(std::string("cannot come back: ") + e.what());
    }
    changed_.notify_all();
  }
}

void VirtualReader::loop() {
  std::unique_lock lock(mu_);
  const milliseconds silence = engine_.timing().silence;
  while (!stopping_) {
    const Time now = Clock::now();
    serve_port_requests(now);
    if (!rx_.empty() && now >= rx_last_ + silence) {
      Bytes chunk;
      chunk.swap(rx_);
      engine_.on_chunk(chunk, now);
    }
    engine_.on_time(now, !rx_.empty());
    for (const Bytes& w : engine_.take_due(now)) {
      if (!port_.is_open() || !write_all(port_.master(), w))
        engine_.note("line down or full: bytes lost");
    }
    changed_.notify_all();
    const std::vector<std::string> notes = engine_.take_notes();

    std::optional<Time> next = engine_.next_deadline(!rx_.empty());
    auto consider = [&](Time t) { next = next ? std::min(*next, t) : t; };
    if (!rx_.empty()) consider(rx_last_ + silence);
    if (reconnect_at_) consider(*reconnect_at_);
    int timeout = -1;
    if (next) {
      timeout = static_cast<int>(
          std::max<long long>(0, std::chrono::ceil<milliseconds>(*next - Clock::now()).count()));
    }
    const int fd = port_.master();
    lock.unlock();

    emit(notes);
    pollfd fds[2] = {{wake_[0], POLLIN, 0}, {fd, POLLIN, 0}};
    const int ready = ::poll(fds, fd >= 0 ? 2 : 1, timeout);
    Bytes got;
    if (ready > 0 && fd >= 0) {
      if ((fds[1].revents & POLLIN) != 0) {
        got = read_available(fd);
      } else if (fds[1].revents != 0) {
        ::usleep(2000);  // no host on the line: nothing to read, but do not spin
      }
    }
    if (ready > 0 && fds[0].revents != 0) drain(wake_[0]);

    lock.lock();
    if (!got.empty()) {
      // A host that never pauses cannot make the reader hold more than this; the frame then
      // fails its check.
      const std::size_t room = kMaxChunk - std::min(kMaxChunk, rx_.size());
      rx_.insert(rx_.end(), got.begin(),
                 got.begin() + static_cast<long>(std::min(room, got.size())));
      rx_last_ = Clock::now();
    }
  }
}

}  // namespace xsim
