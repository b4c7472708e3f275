// The card-handling commands of the XERV3 reader: magnetic read and write, eject, the small
// device commands and the model query. Each builder checks its arguments and returns the command
// text with its request code, or the argument error (nothing is sent then). Builders that touch
// the card store get it from the caller, which holds the link's state lock.
#pragma once

#include <cstddef>
#include <cstdint>

#include "command.h"
#include "frame_format.h"
#include "store.h"
#include "write_layout.h"

namespace xerv3 {

// Request codes handed to the link with each command.
inline constexpr int kReadRequest = 1;
inline constexpr int kWriteRequest = 3;
inline constexpr int kEjectRequest = 10;
inline constexpr int kProhibitRequest = 11;
inline constexpr int kResetRequest = 12;
inline constexpr int kStatusRequest = 13;
inline constexpr int kOutputPortRequest = 15;
inline constexpr int kWriteModeRequest = 16;
inline constexpr int kTestRequest = 18;
inline constexpr int kCleaningRequest = 19;
inline constexpr int kModelRequest = 25;
inline constexpr int kVersionRequest = 36;

// A magnetic write command text (header and track fields) holds at most this many characters.
inline constexpr std::size_t kMaxWriteText = devlink::kMaxWriteText;

// "CR" + mode + param [+ position]. Clears the request flags first; modes 'C' and 'F' with a
// three-character param set the flags of tracks 1 to 3 from its characters' low four bits.
// position is null for the plain read.
devlink::Command mag_card_read(devlink::CardStore& card, const char* mode, const char* param,
                               const char* position);

// "CW" + mode letter [+ two position characters] + the track fields of the connection model,
// separated by `separator`. position is null for the plain write.
devlink::Command mag_card_write(devlink::CardStore& card, std::uint8_t separator, const char* mode,
                                const char* track1, const char* track2, const char* track3,
                                const char* position);

devlink::Command eject_card(const char* how);             // "PE" + 2 characters
devlink::Command write_mode_selection(const char* mode);  // "PM" + '0', '1' or '2'
devlink::Command op_prohibition();                        // "PP"
devlink::Command reset_device();                          // "PR"
devlink::Command protocol_change();                       // "PR1"
devlink::Command status_check(const char* kind);          // "PS" + 'C' or 'I'
devlink::Command cleaning_card(const char* how);          // "PW" + first character
devlink::Command test_cmd(const char* test);              // "PT" [+ first character]
devlink::Command dipsw_read();                            // "PT0"
devlink::Command prog_version_read();                     // "VR"
devlink::Command output_port_control(const char* bits);   // "PO" + six '0'/'1'

// Resets the track slots, then (900 for a null code) applies the connection model code and gives
// the model query "ST".
devlink::Command connection_model_setup(devlink::CardStore& card, devlink::FrameFormat& format,
                                        const std::uint32_t* code);

}  // namespace xerv3
