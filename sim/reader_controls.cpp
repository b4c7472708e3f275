// The virtual reader's control, fault and state methods: each takes the reader's lock, and those
// that give the reader's thread something to do wake it.
#include <cstdio>

#include "virtual_reader.h"

namespace xsim {

namespace {

std::string two_digits(int code) {
  char text[4];
  std::snprintf(text, sizeof text, "%02d", ((code % 100) + 100) % 100);
  return text;
}

}  // namespace

// --- Control ----------------------------------------------------------------------------------

void VirtualReader::present_card(Card card) {
  const Waker w{this};
  std::lock_guard lock(mu_);
  engine_.present_card(std::move(card));
}

void VirtualReader::remove_cards() {
  const Waker w{this};
  std::lock_guard lock(mu_);
  engine_.remove_cards();
}

void VirtualReader::insert_ic(IcCard card) {
  std::lock_guard lock(mu_);
  engine_.state().ic.card = std::move(card);
  engine_.state().ic.active = false;
}

void VirtualReader::remove_ic() {
  std::lock_guard lock(mu_);
  engine_.state().ic.card.reset();
  engine_.state().ic.active = false;
}

bool VirtualReader::send_event(int code) {
  const Waker w{this};
  std::lock_guard lock(mu_);
  if (engine_.state().protocol != Protocol::Xerv3) return false;
  engine_.queue_report("AE" + two_digits(code), Clock::now());
  return true;
}

bool VirtualReader::send_error(int code) {
  const Waker w{this};
  std::lock_guard lock(mu_);
  if (engine_.state().protocol != Protocol::Xerv3) return false;
  engine_.queue_report("DH" + two_digits(code), Clock::now());
  return true;
}

void VirtualReader::set_model(std::uint32_t model) {
  std::lock_guard lock(mu_);
  engine_.state().model = model;
}

bool VirtualReader::set_dip_switches(std::string_view eight) {
  if (eight.size() != kDipSwitches) return false;
  std::lock_guard lock(mu_);
  engine_.state().dip_switches = eight;
  return true;
}

bool VirtualReader::set_version(std::string_view text) {
  if (text.size() != kVersionLength) return false;
  std::lock_guard lock(mu_);
  engine_.state().version = text;
  return true;
}

bool VirtualReader::set_eeprom(std::string_view address, std::uint8_t value) {
  std::lock_guard lock(mu_);
  return engine_.state().eeprom.set_byte(address, value);
}

bool VirtualReader::set_setting(std::string_view letters, std::string_view params) {
  std::lock_guard lock(mu_);
  std::optional<std::string> name;
  if (letters == "SJ") {
    if (params.empty()) return false;
    name = std::string("SJ") + params[0];
  } else if (auto n = Settings::name_for(Protocol::Xerv3, letters)) {
    name = std::string(*n);
  } else if (auto n1 = Settings::name_for(Protocol::Xerv1, letters)) {
    name = std::string(*n1);
  }
  return name && engine_.state().settings.set(*name, params) == SetResult::Ok;
}

void VirtualReader::switch_protocol(Protocol protocol) {
  std::lock_guard lock(mu_);
  engine_.switch_protocol(protocol);
}

void VirtualReader::set_trace(bool on) {
  std::lock_guard lock(mu_);
  engine_.set_trace(on);
}

// --- Faults -----------------------------------------------------------------------------------

void VirtualReader::nak_next(int n) {
  std::lock_guard lock(mu_);
  engine_.nak_next(n);
}

void VirtualReader::ignore_next(int n) {
  std::lock_guard lock(mu_);
  engine_.ignore_next(n);
}

void VirtualReader::send_garbage(Bytes bytes) {
  const Waker w{this};
  std::lock_guard lock(mu_);
  engine_.send_raw(std::move(bytes), Clock::now());
}

void VirtualReader::bad_bcc_next() {
  std::lock_guard lock(mu_);
  engine_.bad_bcc_next();
}

void VirtualReader::split_next(milliseconds pause) {
  std::lock_guard lock(mu_);
  engine_.split_next(pause);
}

void VirtualReader::hang_up(std::optional<milliseconds> back_after) {
  std::unique_lock lock(mu_);
  if (!running_) return;
  hang_up_requested_ = true;
  reconnect_at_.reset();
  if (back_after) reconnect_at_ = Clock::now() + *back_after;
  wake();
  changed_.wait(lock, [&] { return !hang_up_requested_ || !running_; });
}

void VirtualReader::reconnect() {
  std::unique_lock lock(mu_);
  if (!running_) return;
  reconnect_at_ = Clock::now();
  wake();
  changed_.wait(lock, [&] { return !reconnect_at_ || !running_; });
}

bool VirtualReader::connected() const {
  std::lock_guard lock(mu_);
  return port_.is_open();
}

// --- State ------------------------------------------------------------------------------------

Protocol VirtualReader::protocol() const {
  std::lock_guard lock(mu_);
  return engine_.state().protocol;
}

std::uint32_t VirtualReader::model() const {
  std::lock_guard lock(mu_);
  return engine_.state().model;
}

std::optional<std::string> VirtualReader::setting(std::string_view name) const {
  std::lock_guard lock(mu_);
  return engine_.state().settings.value(name);
}

std::vector<std::pair<std::string, std::string>> VirtualReader::settings() const {
  std::lock_guard lock(mu_);
  return engine_.state().settings.all();
}

std::array<std::uint8_t, kEepromSize> VirtualReader::eeprom() const {
  std::lock_guard lock(mu_);
  return engine_.state().eeprom.bytes();
}

devlink::FrameFormat VirtualReader::frame_format() const {
  std::lock_guard lock(mu_);
  return engine_.state().format;
}

std::vector<HostFrame> VirtualReader::received() const {
  std::lock_guard lock(mu_);
  return engine_.received();
}

std::vector<Bytes> VirtualReader::sent() const {
  std::lock_guard lock(mu_);
  return engine_.sent();
}

int VirtualReader::acknowledged_reports() const {
  std::lock_guard lock(mu_);
  return engine_.acknowledged_reports();
}

int VirtualReader::abandoned_reports() const {
  std::lock_guard lock(mu_);
  return engine_.abandoned_reports();
}

bool VirtualReader::wait_received(std::size_t count, milliseconds timeout) const {
  std::unique_lock lock(mu_);
  return changed_.wait_for(lock, timeout, [&] { return engine_.received_count() >= count; });
}

bool VirtualReader::wait_idle(milliseconds timeout) const {
  std::unique_lock lock(mu_);
  return changed_.wait_for(lock, timeout, [&] { return engine_.idle(); });
}

}  // namespace xsim
