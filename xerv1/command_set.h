// The XERV1 command set: every command's pending request code and command text (one character;
// two for the protocol change, the DIP-switch test and the version). The builders take a
// command from this table and add its parameters.
#pragma once

#include <string_view>

#include "command.h"

namespace xerv1 {

struct CommandId {
  int request;
  std::string_view text;
};

namespace cmd {
inline constexpr CommandId kRead{1, "1"};
inline constexpr CommandId kReadHold{1, "2"};  // the card stays at the hold position
inline constexpr CommandId kWrite{3, "3"};
inline constexpr CommandId kWriteHold{3, "4"};
inline constexpr CommandId kDataReturn{5, ":"};
inline constexpr CommandId kEject{6, ";"};
inline constexpr CommandId kEject2{6, ">"};
inline constexpr CommandId kProhibit{8, "0"};
// Reset and protocol change: while their request waits, the reader may answer with two bytes
// whose first is the control answer.
inline constexpr CommandId kReset{9, "<"};
inline constexpr CommandId kProtocolChange{9, "<0"};
inline constexpr CommandId kStatus{10, "="};
inline constexpr CommandId kWriteModeSelection{11, "6"};
inline constexpr CommandId kCleaning{12, "a"};
inline constexpr CommandId kPowerOnOff{13, "e"};
inline constexpr CommandId kTrackInfo{14, "j"};  // also the model query of Connection_Model_Setup
inline constexpr CommandId kBuzzerVolume{15, "b"};
inline constexpr CommandId kWriteMode{16, "c"};
inline constexpr CommandId kShutterControl{17, "h"};
inline constexpr CommandId kCommControl{18, "g"};
inline constexpr CommandId kCommFormat{19, "f"};
inline constexpr CommandId kResponseFormat{20, "o"};
inline constexpr CommandId kTest{21, "k"};
inline constexpr CommandId kDipsw{21, "k0"};
inline constexpr CommandId kVersion{22, "VR"};
}  // namespace cmd

// The command text alone.
devlink::Command plain(const CommandId& id);
// The text + one character of `allowed` (900 null, 901 not one character, 902 another one).
devlink::Command choice(const CommandId& id, const char* value, std::string_view allowed);
// The text + the first character of value (900 null, 902 empty).
devlink::Command first_char(const CommandId& id, const char* value);
// A setting of one value: the text alone when value is null or empty (the query), else the text +
// its first character.
devlink::Command with_value(const CommandId& id, const char* value);

}  // namespace xerv1
