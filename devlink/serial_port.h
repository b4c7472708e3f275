// The serial port on Linux: finding COM<n>, exclusive open, raw line settings and modem lines.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace devlink {

struct LineSettings {
  std::uint32_t baud = 9600;
  std::uint8_t data_bits = 8;
  std::uint8_t parity = 2;     // 0 none, 1 odd, 2 even
  std::uint8_t stop_bits = 0;  // 0 one stop bit, 2 two stop bits
};

// Error codes in the numbering callers know from the reader's original platform; rs_PortOpen
// answers 9000 plus one of them.
inline constexpr int kErrFileNotFound = 2;
inline constexpr int kErrTooManyOpenFiles = 4;
inline constexpr int kErrAccessDenied = 5;
inline constexpr int kErrNotEnoughMemory = 8;
inline constexpr int kErrGeneralFailure = 31;
inline constexpr int kErrInvalidParameter = 87;
inline constexpr int kErrIoDevice = 1117;
int platform_error(int errno_value);

// The device that COM<number> names: $XERV_COM_DIR/COM<n> when the variable is set, else
// /dev/xerv/COM<n> when it exists, else /dev/ttyS<n-1>. Empty for number 0 without a folder.
std::string com_device_path(unsigned number);

class SerialPort {
 public:
  SerialPort() = default;
  SerialPort(const SerialPort&) = delete;
  SerialPort& operator=(const SerialPort&) = delete;
  ~SerialPort() { close(); }

  // Opens and locks the device exclusively. Returns 0, or one of the error codes above.
  int open(const std::string& path);
  void close();
  int fd() const { return fd_; }

  // Raw mode with these line settings. Returns 0 or -1.
  int apply(const LineSettings& settings);
  void purge();
  // Asks the driver not to hold back received bytes (USB adapters otherwise wait up to 16 ms).
  void request_low_latency();

  // Modem lines. A pseudo-terminal has none: its lines read as off and driving them succeeds.
  int line_state(int tiocm_bit);           // 1 on, 0 off
  int drive_line(int tiocm_bit, bool on);  // 0, or an error code of the numbering above

 private:
  int fd_ = -1;
  bool pty_ = false;
};

}  // namespace devlink
