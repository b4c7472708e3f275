// One library's device: its port, its link and its store, and the behaviour of the port
// functions and queries that both libraries export. Each library makes one Device with its
// profile and hands it out through this_device().
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <mutex>
#include <string>

#include "command.h"
#include "frame_format.h"
#include "library_lock.h"
#include "link.h"
#include "reply.h"
#include "result.h"
#include "serial_port.h"
#include "store.h"

namespace devlink {

class Device {
 public:
  explicit Device(const LinkProfile& profile) : profile_(profile), link_(profile_, store_) {}
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;
  // Closing on unload: the threads are joined before the library goes away.
  ~Device() { port_close(); }

  int port_open(const char* port);
  int port_close();
  int comm_settings(const char* baud, const char* data_bits, const char* parity,
                    const char* stop_bits);
  int comm_format(const char* start_mode, const char* end_mode, const char* bcc_mode,
                  const char* separator_mode, const char* user_start, const char* user_end,
                  const char* user_separator);
  int modem_line(int tiocm_bit);
  int drive_rts(bool on);

  int get_status(std::int32_t* status);
  int get_reports(bool errors, std::int32_t* v1, std::int32_t* v2, std::int32_t* v3);
  int get_card_result(std::int32_t* const results[4], std::int32_t* const lengths[4]);
  int get_track(int track, std::int32_t* length, char* buffer);
  // The whole-EEPROM data the reader sent on its own: its length, and its characters and a NUL
  // in buffer; then it is cleared.
  int get_data_block(std::int32_t* length, char* buffer);

  // Builds a command under the state lock with build(store, format) and sends it; its reply is
  // decoded into out, which holds out_size bytes (the size the export documents). Checks come
  // first: -1 without a port, then the builder's argument error (nothing is sent). A command with
  // request code 0 has nothing to send and gives 0.
  template <class Build>
  int command(Build&& build, char* out = nullptr, std::size_t out_size = 0) {
    std::lock_guard api(api_mu_);
    if (!open_.load()) return kNoPort;
    const Command c = link_.with_state(build);
    if (c.error != 0) {
      link_.set_last_result(c.error);
      return c.error;
    }
    if (c.request == 0) return kOk;
    return link_.transact(c, out, out_size);
  }
  // Sends a command that needs neither the store nor the frame format, with the same checks.
  int send(const Command& c, char* out = nullptr, std::size_t out_size = 0) {
    return command([&](Store&, FrameFormat&) { return c; }, out, out_size);
  }
  // Sends an EEPROM read of `address`; its data goes into out, sized for that address. Without a
  // buffer the data has nowhere to go: refused like a null address.
  int read_eeprom(const Command& read, const char* address, char* out);

  Link& link() { return link_; }

 private:
  // Opens the device at path, sets the line up and starts the link; undoes it on failure.
  int start_port(const std::string& path);
  const char* library_name() const {
    return profile_.protocol == Protocol::Xerv3 ? "libxerv3com" : "libxerv1";
  }

  const LinkProfile& profile_;
  Store store_;
  Link link_;
  SerialPort port_;
  LibraryLock lock_;
  LineSettings settings_;
  std::mutex api_mu_;  // one open, close, setting or command at a time
  std::atomic<bool> open_{false};
};

// The device of the library this code is linked into.
Device& this_device();

}  // namespace devlink
