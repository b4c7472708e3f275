// The virtual reader: a card reader on a pseudo-terminal that speaks XERV3 or XERV1 like a real
// one, for tests, demonstrations and host programs without hardware.
//
//   xsim::VirtualReader reader({.protocol = xsim::Protocol::Xerv3, .com = 3});
//   reader.start();                       // COM3 appears in the port folder
//   reader.present_card(xsim::Card{...}); // served to the next read command
//   reader.stop();
//
// It runs one thread of its own; every method may be called from any thread.
#pragma once

#include <array>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "engine.h"
#include "pty_port.h"

namespace xsim {

struct Options {
  Protocol protocol = Protocol::Xerv3;
  unsigned com = 1;
  // The port folder. Empty: $XERV_COM_DIR, else a new temporary folder (removed by stop()).
  std::string dir;
  std::uint32_t model = 101;  // connection model in force: three tracks
  // The EEPROM access codes the reader accepts under each protocol; empty: the library's code.
  std::string access_code_xerv3;
  std::string access_code_xerv1;
  std::string version;  // 16 characters; empty: the default of the protocol
  std::string dip_switches = "00011000";
  bool ack_sets = false;  // answer a setting's set form with ACK instead of its values
  bool trace = false;     // each frame both ways, time-stamped, in hex and as text
  Timing timing;
  // Where trace lines and notices go; empty: standard error.
  std::function<void(std::string_view)> log;
};

// The EEPROM access code the protocol's library sends.
std::string default_access_code(Protocol protocol);

class VirtualReader {
 public:
  explicit VirtualReader(Options options = {});
  ~VirtualReader();
  VirtualReader(const VirtualReader&) = delete;
  VirtualReader& operator=(const VirtualReader&) = delete;

  // Makes the pseudo-terminal and its link and starts the reader's thread. Throws
  // std::runtime_error when the port cannot be made.
  void start();
  // Stops the thread, closes the pseudo-terminal and removes the link (and the folder it made).
  void stop();

  const std::string& dir() const { return dir_; }
  bool made_dir() const { return made_dir_; }
  std::string link_path() const;
  std::string slave_name() const;  // the pseudo-terminal the link leads to now
  std::string port() const { return std::to_string(options_.com); }  // for rs_PortOpen

  // --- Control ---
  void present_card(Card card);  // served to the next read or write command, one card each
  void remove_cards();
  void insert_ic(IcCard card);
  void remove_ic();
  bool send_event(int code);  // "AE" + two digits; false under XERV1, which has no events
  bool send_error(int code);  // "DH" + two digits; likewise
  void set_model(std::uint32_t model);
  bool set_dip_switches(std::string_view eight);
  // The program version the "VR" answer carries: exactly kVersionLength characters (10 of
  // version, 6 of date); false for any other length.
  bool set_version(std::string_view text);
  // One EEPROM byte, by the two-character address EE_Read takes for a byte ("45": row 4, column
  // 5); false for any other address. Needs no EEPROM access.
  bool set_eeprom(std::string_view address, std::uint8_t value);
  // A setting changed as by the host's set form (letters: "SS", or XERV1 "h"); false when refused.
  bool set_setting(std::string_view letters, std::string_view params);
  void switch_protocol(Protocol protocol);  // at once, as after a protocol change
  void set_trace(bool on);

  // --- Faults ---
  void nak_next(int n);     // answer the next n host frames with NAK
  void ignore_next(int n);  // leave the next n host frames unanswered
  void send_garbage(Bytes bytes);
  void bad_bcc_next();                  // the next frame goes out with a wrong block check
  void split_next(milliseconds pause);  // the next frame goes out in two parts, this far apart
  // Closes the pseudo-terminal (the host sees a hang-up); with `back_after`, a new one appears
  // under the same link that much later.
  void hang_up(std::optional<milliseconds> back_after = std::nullopt);
  void reconnect();  // a new pseudo-terminal under the same link, now
  bool connected() const;

  // --- State ---
  Protocol protocol() const;
  std::uint32_t model() const;
  std::optional<std::string> setting(
      std::string_view name) const;  // by XERV3 name, "SJ1", "o", "j"
  std::vector<std::pair<std::string, std::string>> settings() const;
  std::array<std::uint8_t, kEepromSize> eeprom() const;
  devlink::FrameFormat frame_format() const;  // in force
  std::vector<HostFrame> received() const;    // the latest (up to Engine::kHistory)
  std::vector<Bytes> sent() const;
  int acknowledged_reports() const;
  int abandoned_reports() const;
  // Waits until `count` host frames (control answers included) have come since the start.
  bool wait_received(std::size_t count, milliseconds timeout) const;
  // Waits until the reader is idle: no report queued or waiting for its ACK, nothing to send.
  bool wait_idle(milliseconds timeout) const;

  // Runs `f` on the reader state under the reader's lock (for anything the accessors above lack).
  template <typename F>
  auto with_state(F&& f) const {
    std::lock_guard lock(mu_);
    return f(engine_.state());
  }
  template <typename F>
  auto change_state(F&& f) {
    const Waker waker{this};  // after the lock is released
    std::lock_guard lock(mu_);
    return f(engine_.state());
  }

 private:
  struct Waker {
    const VirtualReader* reader;
    ~Waker() { reader->wake(); }
  };

  void loop();
  void serve_port_requests(Time now);
  void wake() const;
  void emit(const std::vector<std::string>& notes) const;
  bool idle() const;

  Options options_;
  std::string dir_;
  bool made_dir_ = false;

  mutable std::mutex mu_;
  mutable std::condition_variable changed_;
  Engine engine_;
  PtyPort port_;
  std::thread thread_;
  int wake_[2] = {-1, -1};
  bool running_ = false;
  bool stopping_ = false;
  bool hang_up_requested_ = false;
  std::optional<Time> reconnect_at_;
  Bytes rx_;
  Time rx_last_{};
};

}  // namespace xsim
