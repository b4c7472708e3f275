#include "frame_format.h"

#include <optional>

namespace devlink {

void FrameFormat::set_start(std::uint8_t mode, std::uint8_t user_code) {
  start_mode = mode;
  start_code = mode == 0 ? 0x00 : (mode == 2 ? user_code : kStx);
}

void FrameFormat::set_end(std::uint8_t mode, std::uint8_t user_code) {
  end_mode = mode;
  switch (mode) {
    case 0: end_code = 0x00; break;
    case 1: end_code = kCr; break;
    case 2: end_code = kLf; break;
    case 3: end_code = kCr; break;  // followed by LF
    case 5: end_code = user_code; break;
    default: end_code = kEtx; break;
  }
}

void FrameFormat::set_separator(std::uint8_t mode, std::uint8_t user_code) {
  separator_mode = mode;
  separator = (mode == 1 || mode == 3) ? user_code : kUs;
}

std::array<std::uint8_t, 2> hex_pair(std::uint8_t value) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return {static_cast<std::uint8_t>(kDigits[value >> 4]),
          static_cast<std::uint8_t>(kDigits[value & 0x0F])};
}

namespace {

int hex_digit(std::uint8_t c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

int parse_hex_pair(std::uint8_t high, std::uint8_t low) {
  const int h = hex_digit(high);
  const int l = hex_digit(low);
  return (h < 0 || l < 0) ? -1 : h * 16 + l;
}

bool build_frame(const FrameFormat& format, std::span<const std::uint8_t> text, Frame& frame) {
  const std::size_t total = (format.start_mode != 0 ? 1 : 0) + text.size() + format.end_length() +
                            format.bcc_length();
  if (total > frame.bytes.size()) return false;
  std::size_t n = 0;
  std::uint8_t bcc = 0;
  auto put = [&](std::uint8_t b, bool fold) {
    frame.bytes[n++] = b;
    if (fold) bcc ^= b;
  };
  if (format.start_mode != 0) put(format.start_code, false);
  for (std::uint8_t b : text) put(b, true);
  if (format.end_mode != 0) {
    put(format.end_code, true);
    if (format.end_mode == 3) put(kLf, true);
  }
  if (format.bcc_mode == 1) {
    put(bcc, false);
  } else if (format.bcc_mode == 2) {
    const auto hex = hex_pair(bcc);
    put(hex[0], false);
    put(hex[1], false);
    put(kCr, false);
  }
  frame.length = n;
  return true;
}

namespace {

bool is_control_answer(std::uint8_t b) {
  return b == kAck || b == kNak || b == kDle;
}

// Several control answers that arrived as one unit (each possibly followed by CR in BCC mode 2):
// the position of the last one, or nothing when the bytes are anything else. A reader answers a
// read command with ACK even when the card report it sent first was taken as that command's
// answer; the late ACK then reaches the host right before the next command's own answer. Only the
// last answer of such a run belongs to the command that waits.
std::optional<std::size_t> last_of_control_run(const FrameFormat& format,
                                               std::span<const std::uint8_t> rx) {
  std::optional<std::size_t> last;
  for (std::size_t i = 0; i < rx.size(); ++i) {
    if (is_control_answer(rx[i])) {
      last = i;
    } else if (!(rx[i] == kCr && format.bcc_mode == 2 && i > 0 && is_control_answer(rx[i - 1]))) {
      return std::nullopt;
    }
  }
  return last;
}

}  // namespace

FrameResult check_frame(const FrameFormat& format, std::span<const std::uint8_t> rx,
                        bool two_byte_control) {
  FrameResult r;
  const std::size_t n = rx.size();
  // Control answers come bare: one byte, in BCC mode 2 possibly followed by CR.
  if (n == 1 || (n == 2 && format.bcc_mode == 2 && rx[1] == kCr) || (n == 2 && two_byte_control)) {
    r.check = FrameCheck::Control;
    r.control_byte = rx[0];
    return r;
  }
  if (const auto last = last_of_control_run(format, rx)) {
    r.check = FrameCheck::Control;
    r.control_byte = rx[*last];
    return r;
  }
  std::size_t begin = 0;
  if (format.start_mode != 0) {
    std::size_t i = 0;
    while (i < n && rx[i] != format.start_code) ++i;
    if (i == n) {
      r.check = FrameCheck::NoStart;
      return r;
    }
    begin = i + 1;
  }
  const std::size_t elen = format.end_length();
  const std::size_t blen = format.bcc_length();
  std::size_t text_end;  // one past the last text byte
  if (format.end_mode == 0) {
    if (n < begin + blen) return r;
    text_end = n - blen;
  } else {
    // Search backwards from the byte before the block check down to the text's second byte.
    if (n < begin + 1 + elen + blen) return r;
    std::size_t j = n - blen - elen;  // the last place the end code can start
    bool found = false;
    for (;; --j) {
      if (rx[j] == format.end_code && (format.end_mode != 3 || rx[j + 1] == kLf)) {
        found = true;
        break;
      }
      if (j == begin + 1) break;
    }
    if (!found) return r;
    text_end = j;
  }
  std::uint8_t bcc = 0;
  for (std::size_t i = begin; i < text_end + elen; ++i) bcc ^= rx[i];
  const std::size_t at = text_end + elen;
  if (format.bcc_mode == 1) {
    if (rx[at] != bcc) return r;
  } else if (format.bcc_mode == 2) {
    if (parse_hex_pair(rx[at], rx[at + 1]) != bcc || rx[at + 2] != kCr) return r;
  }
  r.check = FrameCheck::Text;
  r.text_begin = begin;
  r.text_length = text_end - begin;
  return r;
}

}  // namespace devlink
