#include "pty_port.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace xsim {

namespace {

[[noreturn]] void fail(const std::string& what) {
  throw std::runtime_error(what + ": " + std::strerror(errno));
}

}  // namespace

PtyPort::~PtyPort() {
  close();
}

void PtyPort::open() {
  close();
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  if (master_ < 0) fail("no pseudo-terminal");
  if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
    close();
    fail("pseudo-terminal not usable");
  }
  slave_name_ = ::ptsname(master_);
  slave_ = ::open(slave_name_.c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC | O_NONBLOCK);
  if (slave_ < 0) {
    close();
    fail("cannot open " + slave_name_);
  }
  termios t{};
  if (::tcgetattr(slave_, &t) == 0) {
    ::cfmakeraw(&t);
    ::tcsetattr(slave_, TCSANOW, &t);
  }
  // Replace the link in one step, so a host never finds it missing.
  const std::string temporary = link_ + ".new";
  ::unlink(temporary.c_str());
  if (::symlink(slave_name_.c_str(), temporary.c_str()) != 0 ||
      ::rename(temporary.c_str(), link_.c_str()) != 0) {
    ::unlink(temporary.c_str());
    close();
    fail("cannot link " + link_);
  }
}

void PtyPort::close() {
  if (slave_ >= 0) ::close(slave_);
  if (master_ >= 0) ::close(master_);
  slave_ = -1;
  master_ = -1;
}

void PtyPort::unlink() {
  ::unlink(link_.c_str());
}

}  // namespace xsim
