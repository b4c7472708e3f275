#include "framing.h"

namespace xsim {

namespace {

bool is_control(std::uint8_t b) {
  return b == devlink::kAck || b == devlink::kNak || b == devlink::kDle;
}

bool unframed(const devlink::FrameFormat& f) {
  return f.start_mode == 0 && f.end_mode == 0 && f.bcc_mode == 0;
}

}  // namespace

std::vector<Piece> split_chunk(std::span<const std::uint8_t> chunk) {
  std::vector<Piece> pieces;
  std::size_t at = 0;
  while (at < chunk.size() && is_control(chunk[at])) {
    const std::size_t n = (at + 1 < chunk.size() && chunk[at + 1] == devlink::kCr) ? 2 : 1;
    pieces.push_back({Piece::Kind::Control, Bytes(chunk.begin() + at, chunk.begin() + at + n)});
    at += n;
  }
  if (at < chunk.size())
    pieces.push_back({Piece::Kind::Frame, Bytes(chunk.begin() + at, chunk.end())});
  return pieces;
}

std::optional<std::string> frame_text(const devlink::FrameFormat& format,
                                      std::span<const std::uint8_t> frame) {
  // Without start code, end code and block check a frame is its text. The core's check is not
  // asked then: it takes a single byte for a control answer, which is how the host reads what the
  // reader sends, but here the control answers are already split off and a one-byte frame is a
  // command.
  if (unframed(format)) return std::string(frame.begin(), frame.end());
  const devlink::FrameResult r = devlink::check_frame(format, frame, false);
  if (r.check != devlink::FrameCheck::Text) return std::nullopt;
  const auto text = frame.subspan(r.text_begin, r.text_length);
  return std::string(text.begin(), text.end());
}

Bytes control_answer(std::uint8_t code, const devlink::FrameFormat& format) {
  if (format.bcc_mode == 2) return {code, devlink::kCr};
  return {code};
}

std::optional<Bytes> frame_bytes(const devlink::FrameFormat& format, std::string_view text,
                                 bool bad_bcc) {
  devlink::Frame frame;
  const auto* data = reinterpret_cast<const std::uint8_t*>(text.data());
  if (!devlink::build_frame(format, {data, text.size()}, frame)) return std::nullopt;
  Bytes out(frame.bytes.begin(), frame.bytes.begin() + static_cast<long>(frame.length));
  if (bad_bcc && !out.empty()) {
    if (format.bcc_mode == 2 && out.size() >= 3) {
      std::uint8_t& high = out[out.size() - 3];
      high = high == '0' ? '1' : '0';
    } else {
      out.back() ^= 0x01;
    }
  }
  return out;
}

}  // namespace xsim
