// The PC-side frame format (start code, end code, block check, separator) and the pure functions
// that wrap a command text into a frame and check a received frame.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace devlink {

inline constexpr std::uint8_t kStx = 0x02;
inline constexpr std::uint8_t kEtx = 0x03;
inline constexpr std::uint8_t kAck = 0x06;
inline constexpr std::uint8_t kLf = 0x0A;
inline constexpr std::uint8_t kCr = 0x0D;
inline constexpr std::uint8_t kDle = 0x10;
inline constexpr std::uint8_t kNak = 0x15;
inline constexpr std::uint8_t kUs = 0x1F;

inline constexpr std::size_t kFrameBufferSize = 404;

// Modes as set by rs_CommFormat_Set; the code characters are the ones in force (a mode that names a
// fixed character stores that character, the user modes keep the user's).
struct FrameFormat {
  std::uint8_t start_mode = 1;
  std::uint8_t start_code = kStx;
  std::uint8_t end_mode = 4;
  std::uint8_t end_code = kEtx;
  std::uint8_t bcc_mode = 1;
  std::uint8_t separator_mode = 0;
  std::uint8_t separator = kUs;

  // Sets one mode and its character the way rs_CommFormat_Set does.
  void set_start(std::uint8_t mode, std::uint8_t user_code);
  void set_end(std::uint8_t mode, std::uint8_t user_code);
  void set_separator(std::uint8_t mode, std::uint8_t user_code);
  void set_bcc(std::uint8_t mode) { bcc_mode = mode; }

  std::size_t end_length() const { return end_mode == 0 ? 0 : (end_mode == 3 ? 2 : 1); }
  std::size_t bcc_length() const { return bcc_mode == 1 ? 1 : (bcc_mode == 2 ? 3 : 0); }
  // Separator modes 2 and 3 change how card data is split into tracks.
  bool split_by_selection() const { return separator_mode == 2 || separator_mode == 3; }
};

struct Frame {
  std::array<std::uint8_t, kFrameBufferSize> bytes{};
  std::size_t length = 0;
  std::span<const std::uint8_t> view() const { return {bytes.data(), length}; }
};

// Wraps text into a frame. Returns false when the framed text would not fit the frame buffer.
bool build_frame(const FrameFormat& format, std::span<const std::uint8_t> text, Frame& frame);

// Two upper-case hexadecimal digits of a byte, high four bits first.
std::array<std::uint8_t, 2> hex_pair(std::uint8_t value);
// Reads two upper-case hexadecimal digits; returns -1 for any other character.
int parse_hex_pair(std::uint8_t high, std::uint8_t low);

// What the frame checks make of the bytes received since the last reset.
enum class FrameCheck {
  Control,    // a control answer (ACK, NAK, DLE or another single byte); see control_byte
  Text,       // a good frame; see text_begin / text_length
  NoStart,    // the start code was not found
  BadFrame,   // no end code, or the block check does not match
};

struct FrameResult {
  FrameCheck check = FrameCheck::BadFrame;
  std::uint8_t control_byte = 0;
  std::size_t text_begin = 0;
  std::size_t text_length = 0;
};

// Checks a completed receive buffer. two_byte_control: the profile takes exactly two bytes as a
// control answer in their first byte (XERV1 while a reset waits).
FrameResult check_frame(const FrameFormat& format, std::span<const std::uint8_t> received,
                        bool two_byte_control);

}  // namespace devlink
