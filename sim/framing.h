// The reader's side of the framing. A chunk of bytes from the host (ended by silence) may start
// with control answers (ACK, NAK, DLE, each possibly followed by CR) before a frame; the frame is
// checked with the reader's frame format in force. Outgoing frames and control answers are built
// with the same format.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "frame_format.h"

namespace xsim {

using Bytes = std::vector<std::uint8_t>;

struct Piece {
  enum class Kind { Control, Frame };
  Kind kind;
  Bytes bytes;  // Control: the control byte (and its CR); Frame: the frame as received
};

// Splits a chunk into its leading control answers and the frame after them (if any).
std::vector<Piece> split_chunk(std::span<const std::uint8_t> chunk);

// The text of a host frame, or nothing when the frame fails the reader's check (no start code,
// no end code, wrong block check).
std::optional<std::string> frame_text(const devlink::FrameFormat& format,
                                      std::span<const std::uint8_t> frame);

// A control answer: the byte, followed by CR in block check mode 2.
Bytes control_answer(std::uint8_t code, const devlink::FrameFormat& format);

// A frame for `text`; with `bad_bcc` its block check (or, without one, its last byte) is wrong.
// Nothing when the frame does not fit the frame buffer.
std::optional<Bytes> frame_bytes(const devlink::FrameFormat& format, std::string_view text,
                                 bool bad_bcc = false);

}  // namespace xsim
