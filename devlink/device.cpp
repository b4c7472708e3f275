#include "device.h"

#include <sys/ioctl.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>

#include "command_shapes.h"
#include "eeprom.h"

namespace devlink {

namespace {

// Parses the port argument: one to three decimal digits. Returns 0 with the number, or the
// argument error.
int parse_port(const char* port, unsigned& number) {
  if (port == nullptr) return kNullArg;
  const std::size_t len = ::strnlen(port, 4);
  if (len == 0 || len > 3) return kBadLength;
  number = 0;
  for (std::size_t i = 0; i < len; ++i) {
    if (port[i] < '0' || port[i] > '9') return kBadValue;
    number = number * 10 + static_cast<unsigned>(port[i] - '0');
  }
  return kOk;
}

// One character argument of rs_CommSettings: null 900, not one character 901, else its index in
// `allowed` (or 902 when it is not there) through `index`.
int pick(const char* arg, std::string_view allowed, int& index) {
  if (const int r = check_choice(arg, allowed); r != kOk) return r;
  index = static_cast<int>(allowed.find(arg[0]));
  return kOk;
}

// A mode argument of rs_CommFormat_Set: its first character's low four bits.
int mode_of(const char* arg, std::uint8_t& mode) {
  if (arg == nullptr) return kNullArg;
  if (arg[0] == '\0') return kBadLength;
  mode = static_cast<std::uint8_t>(arg[0] & 0x0F);
  return kOk;
}

// A user character argument: exactly two upper-case hexadecimal digits.
int user_char_of(const char* arg, std::uint8_t& value) {
  if (const int r = check_length(arg, 2); r != kOk) return r;
  const int v =
      parse_hex_pair(static_cast<std::uint8_t>(arg[0]), static_cast<std::uint8_t>(arg[1]));
  if (v < 0) return kBadValue;
  value = static_cast<std::uint8_t>(v);
  return kOk;
}

}  // namespace

int Device::port_open(const char* port) {
  std::lock_guard api(api_mu_);
  if (open_.load()) return kPortBusy;
  unsigned number = 0;
  if (const int r = parse_port(port, number); r != kOk) return r;
  if (!lock_.acquire()) return kPortBusy;
  link_.with_state([](Store& s, FrameFormat&) { s.reset_for_open(); });
  link_.reset();
  settings_ = LineSettings{};
  settings_.data_bits = profile_.default_data_bits;
  const std::string path = com_device_path(number);
  WireTrace& trace = link_.trace();
  trace.open_from_environment(library_name());
  if (trace.on())
    trace.note(std::string(library_name()) + " rs_PortOpen COM" + std::to_string(number) + " (" +
               path + ")");
  const int result = start_port(path);
  if (result != kOk) {
    if (trace.on()) trace.note("rs_PortOpen failed: " + std::to_string(result));
    trace.close();
    lock_.release();
    return result;
  }
  open_.store(true);
  return kOk;
}

int Device::start_port(const std::string& path) {
  if (const int e = port_.open(path); e != 0) return kOpenFailedBase + e;
  if (port_.apply(settings_) != 0) {
    port_.close();
    return kNoPort;
  }
  port_.request_low_latency();
  port_.purge();
  port_.drive_line(TIOCM_DTR, true);
  port_.drive_line(TIOCM_RTS, true);
  if (!link_.start(port_.fd(), settings_.baud)) {
    port_.close();
    return kNoPort;
  }
  return kOk;
}

int Device::port_close() {
  std::lock_guard api(api_mu_);
  if (!open_.load()) return kNoPort;
  open_.store(false);
  link_.stop();
  port_.drive_line(TIOCM_DTR, false);
  port_.purge();
  port_.close();
  if (link_.trace().on()) link_.trace().note("rs_PortClose");
  link_.trace().close();
  lock_.release();
  return kOk;
}

int Device::comm_settings(const char* baud, const char* data_bits, const char* parity,
                          const char* stop_bits) {
  std::lock_guard api(api_mu_);
  if (!open_.load()) return kNoPort;
  static constexpr std::uint32_t kBauds[] = {4800, 9600, 19200, 38400};
  static constexpr std::uint8_t kParities[] = {0, 2, 1};  // none, even, odd
  int i = 0;
  if (const int r = pick(baud, "0123", i); r != kOk) return r;
  settings_.baud = kBauds[i];
  if (const int r = pick(data_bits, "01", i); r != kOk) return r;
  settings_.data_bits = i == 0 ? 7 : 8;
  if (const int r = pick(parity, "012", i); r != kOk) return r;
  settings_.parity = kParities[i];
  if (const int r = pick(stop_bits, "01", i); r != kOk) return r;
  settings_.stop_bits = i == 0 ? 0 : 2;
  const int result = port_.apply(settings_) == 0 ? kOk : kNoPort;
  port_.purge();
  link_.set_baud(settings_.baud);
  return result;
}

int Device::comm_format(const char* start_mode, const char* end_mode, const char* bcc_mode,
                        const char* separator_mode, const char* user_start, const char* user_end,
                        const char* user_separator) {
  std::lock_guard api(api_mu_);
  if (!open_.load()) return kNoPort;
  std::uint8_t sm = 0, em = 0, bm = 0, um = 0, sc = 0, ec = 0, uc = 0;
  for (const int r : {mode_of(start_mode, sm), mode_of(end_mode, em), mode_of(bcc_mode, bm),
                      mode_of(separator_mode, um), user_char_of(user_start, sc),
                      user_char_of(user_end, ec), user_char_of(user_separator, uc)})
    if (r != kOk) return r;
  if (em > 5) em = 4;  // end modes above 5 send ETX: they are end mode 4
  return link_.with_state([&](Store&, FrameFormat& f) {
    f.set_start(sm, sc);
    f.set_end(em, ec);
    f.set_separator(um, uc);
    f.set_bcc(bm);
    return kOk;
  });
}

int Device::modem_line(int tiocm_bit) {
  std::lock_guard api(api_mu_);
  if (!open_.load()) return kNoPort;
  return port_.line_state(tiocm_bit);
}

int Device::drive_rts(bool on) {
  std::lock_guard api(api_mu_);
  if (!open_.load()) return kNoPort;
  return port_.drive_line(TIOCM_RTS, on);
}

int Device::get_status(std::int32_t* status) {
  if (!open_.load()) return kNoPort;
  if (status == nullptr) return kNullArg;
  return link_.with_state([&](Store& s, FrameFormat&) {
    *status = static_cast<std::int32_t>(s.status);
    return kOk;
  });
}

// A frame being received completes 100 ms after its last byte; half a second covers it with room
// and still returns when a failed frame stays pending.
inline constexpr std::chrono::milliseconds kReportWaitBound{500};

int Device::get_reports(bool errors, std::int32_t* v1, std::int32_t* v2, std::int32_t* v3) {
  if (!open_.load()) return kNoPort;
  if (v1 == nullptr || v2 == nullptr || v3 == nullptr) return kNullArg;
  if (profile_.protocol == Protocol::Xerv3) link_.wait_until_no_frame(kReportWaitBound);
  return link_.with_state([&](Store& s, FrameFormat&) {
    auto& slots = errors ? s.errors : s.events;
    *v1 = slots[0];
    *v2 = slots[1];
    *v3 = slots[2];
    slots = {};
    s.status &= ~(errors ? kStatusError : kStatusEvent);
    return kOk;
  });
}

int Device::get_card_result(std::int32_t* const results[4], std::int32_t* const lengths[4]) {
  if (!open_.load()) return kNoPort;
  for (int k = 0; k < 4; ++k)
    if (results[k] == nullptr || lengths[k] == nullptr) return kNullArg;
  return link_.with_state([&](Store& s, FrameFormat&) {
    for (int k = 0; k < 4; ++k) {
      *results[k] = s.card.result[k];
      *lengths[k] = s.card.length[k];
    }
    s.card.result = {};
    s.card.request = {};
    s.status &= ~(kStatusCardData | kStatusWriteResult);
    return kOk;
  });
}

int Device::get_track(int track, std::int32_t* length, char* buffer) {
  if (!open_.load()) return kNoPort;
  if (length == nullptr || buffer == nullptr) return kNullArg;
  return link_.with_state([&](Store& s, FrameFormat&) {
    const std::size_t k = static_cast<std::size_t>(track - 1);
    const std::size_t n =
        std::min<std::size_t>(static_cast<std::size_t>(s.card.length[k]), kTrackDataMax);
    *length = static_cast<std::int32_t>(n);
    std::memcpy(buffer, s.card.data[k].data(), n);
    buffer[n] = '\0';
    std::memset(s.card.data[k].data(), 0, n + 1);
    s.card.length[k] = 0;
    return kOk;
  });
}

int Device::get_data_block(std::int32_t* length, char* buffer) {
  if (!open_.load()) return kNoPort;
  if (length == nullptr || buffer == nullptr) return kNullArg;
  return link_.with_state([&](Store& s, FrameFormat&) {
    DataBlock& block = s.block;
    *length = block.length;
    if (block.length == 0) return kOk;
    const auto n = static_cast<std::size_t>(
        std::clamp<std::int32_t>(block.length, 0, static_cast<std::int32_t>(kDataBlockSize)));
    std::memcpy(buffer, block.data.data(), n);
    buffer[n] = '\0';
    block.data.fill('\0');
    block.length = 0;
    return kOk;
  });
}

int Device::read_eeprom(const Command& read, const char* address, char* out) {
  return send(out == nullptr ? Command::fail(kNullArg) : read, out, eeprom_read_size(address));
}

}  // namespace devlink
