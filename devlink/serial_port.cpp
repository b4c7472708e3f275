#include "serial_port.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace devlink {

int platform_error(int e) {
  switch (e) {
    case ENOENT:
    case ENODEV:
    case ENXIO:
    case ENOTDIR:
    case ELOOP:
    case ENAMETOOLONG: return kErrFileNotFound;
    case EACCES:
    case EPERM:
    case EBUSY:
    case EWOULDBLOCK:
    case EROFS: return kErrAccessDenied;
    case EMFILE:
    case ENFILE: return kErrTooManyOpenFiles;
    case ENOMEM: return kErrNotEnoughMemory;
    case EINVAL: return kErrInvalidParameter;
    case EIO: return kErrIoDevice;
    default: return kErrGeneralFailure;
  }
}

std::string com_device_path(unsigned number) {
  const std::string name = "COM" + std::to_string(number);
  if (const char* dir = std::getenv("XERV_COM_DIR"); dir != nullptr && *dir != '\0')
    return std::string(dir) + "/" + name;
  const std::string mapped = "/dev/xerv/" + name;
  struct stat st {};
  if (::stat(mapped.c_str(), &st) == 0) return mapped;
  if (number == 0) return {};
  return "/dev/ttyS" + std::to_string(number - 1);
}

int SerialPort::open(const std::string& path) {
  close();
  if (path.empty()) return kErrFileNotFound;
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return platform_error(errno);
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int e = errno;
    ::close(fd);
    return platform_error(e == EWOULDBLOCK ? EBUSY : e);
  }
  ::ioctl(fd, TIOCEXCL);
  struct stat st {};
  pty_ = ::fstat(fd, &st) == 0 && S_ISCHR(st.st_mode) && major(st.st_rdev) >= 136 &&
         major(st.st_rdev) <= 143;
  fd_ = fd;
  return 0;
}

void SerialPort::close() {
  if (fd_ < 0) return;
  ::ioctl(fd_, TIOCNXCL);
  ::close(fd_);  // also drops the flock
  fd_ = -1;
  pty_ = false;
}

namespace {

speed_t speed_of(std::uint32_t baud) {
  switch (baud) {
    case 4800: return B4800;
    case 19200: return B19200;
    case 38400: return B38400;
    default: return B9600;
  }
}

}  // namespace

int SerialPort::apply(const LineSettings& s) {
  termios t{};
  if (::tcgetattr(fd_, &t) != 0) return -1;
  ::cfmakeraw(&t);
  t.c_iflag &= ~static_cast<tcflag_t>(IXON | IXOFF | IXANY | IGNPAR | INPCK);
  t.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
  t.c_cflag |= CLOCAL | CREAD | (s.data_bits == 7 ? CS7 : CS8);
  if (s.parity != 0) {
    t.c_cflag |= PARENB;
    if (s.parity == 1) t.c_cflag |= PARODD;
    t.c_iflag |= INPCK;
  }
  if (s.stop_bits == 2) t.c_cflag |= CSTOPB;
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 0;
  ::cfsetispeed(&t, speed_of(s.baud));
  ::cfsetospeed(&t, speed_of(s.baud));
  if (::tcsetattr(fd_, TCSANOW, &t) == 0) return 0;
  // A pseudo-terminal has no line; settings it cannot hold count as applied.
  return (pty_ && errno == EINVAL) ? 0 : -1;
}

void SerialPort::purge() { ::tcflush(fd_, TCIOFLUSH); }

void SerialPort::request_low_latency() {
  serial_struct ss{};
  if (::ioctl(fd_, TIOCGSERIAL, &ss) != 0) return;
  ss.flags |= ASYNC_LOW_LATENCY;
  ::ioctl(fd_, TIOCSSERIAL, &ss);
}

int SerialPort::line_state(int bit) {
  int bits = 0;
  if (::ioctl(fd_, TIOCMGET, &bits) != 0) return 0;
  return (bits & bit) != 0 ? 1 : 0;
}

int SerialPort::drive_line(int bit, bool on) {
  if (::ioctl(fd_, on ? TIOCMBIS : TIOCMBIC, &bit) == 0) return 0;
  if (pty_) return 0;
  return platform_error(errno);
}

}  // namespace devlink
