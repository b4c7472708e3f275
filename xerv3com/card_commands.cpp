#include "card_commands.h"

#include <cstring>
#include <string_view>

#include "card_shapes.h"
#include "command_shapes.h"
#include "result.h"
#include "write_layout.h"

namespace xerv3 {

using devlink::absent;
using devlink::CardStore;
using devlink::check_length;
using devlink::Command;
using devlink::has_length;
using devlink::kBadLength;
using devlink::kBadValue;
using devlink::kNullArg;
using devlink::kOk;

namespace {

std::uint8_t byte(char ch) {
  return static_cast<std::uint8_t>(ch);
}

Command letters_and(int request, std::string_view letters, std::string_view chars) {
  Command c = Command::make(request, letters);
  c.append(chars);
  return c;
}

// Modes 'C' and 'F' read by track selection: param is absent or names the three tracks.
Command read_by_selection(CardStore& card, char mode, const char* param) {
  Command c = Command::make(kReadRequest, "CR");
  c.push(byte(mode));
  if (absent(param)) return c;
  if (!has_length(param, 3)) return Command::fail(kBadLength);
  c.append(std::string_view(param, 3));
  for (std::size_t k = 0; k < 3; ++k) card.request[k] = param[k] & 0x0F;
  return c;
}

// The other modes carry a two-character param and, optionally, a three-character position.
Command read_with_param(char mode, const char* param, const char* position) {
  if (const int r = check_length(param, 2); r != kOk) return Command::fail(r);
  Command c = Command::make(kReadRequest, "CR");
  c.push(byte(mode));
  c.append(std::string_view(param, 2));
  if (absent(position)) return c;
  if (!has_length(position, 3)) return Command::fail(kBadLength);
  c.append(std::string_view(position, 3));
  return c;
}

}  // namespace

Command mag_card_read(CardStore& card, const char* mode, const char* param, const char* position) {
  card.request = {};
  if (const int r = check_length(mode, 1); r != kOk) return Command::fail(r);
  if (mode[0] == 'C' || mode[0] == 'F') return read_by_selection(card, mode[0], param);
  return read_with_param(mode[0], param, position);
}

Command mag_card_write(CardStore& card, std::uint8_t separator, const char* mode,
                       const char* track1, const char* track2, const char* track3,
                       const char* position) {
  if (mode == nullptr || (track1 == nullptr && track2 == nullptr && track3 == nullptr))
    return Command::fail(kNullArg);
  if ((mode[0] == 'K' || mode[0] == 'L') && position == nullptr) return Command::fail(kNullArg);
  card.request = {};
  if (mode[0] == '\0') return Command::fail(kBadValue);
  Command c = Command::make(kWriteRequest, "CW");
  c.push(byte(mode[0]));
  if (mode[0] == 'K') {
    if (position[0] == '\0') return Command::fail(kBadValue);
    // A single character would put the NUL after it on the line.
    if (position[1] == '\0') return Command::fail(kBadLength);
    c.append(std::string_view(position, 2));
  }
  const int r = devlink::append_write_tracks(c, card, devlink::Protocol::Xerv3, separator, track1,
                                             track2, track3);
  return r == kOk ? c : Command::fail(r);
}

Command eject_card(const char* how) {
  if (const int r = check_length(how, 2); r != kOk) return Command::fail(r);
  const char p1 = how[0];
  const char p2 = how[1];
  const bool valid = ((p1 == 'F' || p1 == 'R') && (p2 == '0' || p2 == '1')) ||
                     (p1 == 'S' && byte(p2) >= byte('0'));
  if (!valid) return Command::fail(kBadValue);
  return letters_and(kEjectRequest, "PE", std::string_view(how, 2));
}

Command write_mode_selection(const char* mode) {
  return devlink::choice_command(kWriteModeRequest, "PM", mode, "012");
}

Command op_prohibition() {
  return Command::make(kProhibitRequest, "PP");
}
Command reset_device() {
  return Command::make(kResetRequest, "PR");
}
Command protocol_change() {
  return Command::make(kResetRequest, "PR1");
}

Command status_check(const char* kind) {
  return devlink::choice_command(kStatusRequest, "PS", kind, "CI");
}

Command cleaning_card(const char* how) {
  return devlink::first_char_command(kCleaningRequest, "PW", how);
}

Command test_cmd(const char* test) {
  return devlink::single_value_setting(kTestRequest, "PT", test);
}

Command dipsw_read() {
  return Command::make(kTestRequest, "PT0");
}
Command prog_version_read() {
  return Command::make(kVersionRequest, "VR");
}

Command output_port_control(const char* bits) {
  if (const int r = check_length(bits, 6); r != kOk) return Command::fail(r);
  const std::string_view v(bits, 6);
  if (v.find_first_not_of("01") != std::string_view::npos) return Command::fail(kBadValue);
  return letters_and(kOutputPortRequest, "PO", v);
}

Command connection_model_setup(CardStore& card, devlink::FrameFormat& format,
                               const std::uint32_t* code) {
  return devlink::connection_model_command(card, format, devlink::Protocol::Xerv3, code,
                                           kModelRequest, "ST");
}

}  // namespace xerv3
