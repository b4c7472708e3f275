// What the link does with received bytes, without threads or a port: it collects them, takes the
// frame when the line has gone silent, checks and classifies it, and either hands it to the
// command that waits or decodes it as an unasked report (acknowledging it through `Writer`).
// The link runs it under its lock; the fuzz targets drive it directly.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>

#include "frame_format.h"
#include "reply.h"
#include "store.h"

namespace devlink {

class FrameEngine {
 public:
  // Writes raw bytes to the reader (acknowledgements); its result is not needed.
  using Writer = std::function<void(std::span<const std::uint8_t>)>;
  // Result of decoding a NAK: the transaction sends the frame again.
  static constexpr int kNakResult = -1000;

  FrameEngine(const LinkProfile& profile, Store& store, const FrameFormat& format, Writer writer)
      : profile_(profile), store_(store), format_(format), writer_(std::move(writer)) {}

  // Adds received bytes; bytes beyond the 404-byte buffer are dropped and fail the frame. Returns
  // true when they are the first bytes of a frame (the silence after them is to be timed).
  bool append(std::span<const std::uint8_t> bytes);
  // The line has been silent since the last byte: take the frame.
  void complete();

  // A command starts waiting under `request` (non-zero).
  void begin_wait(int request);
  // Its answer has been classified and waits to be decoded.
  bool answered() const { return answered_; }
  // Decodes the answer for the command that waited under `request` into out (out_size bytes).
  int decode_answer(int request, char* out, std::size_t out_size);
  // Empties the receive state and ends the wait.
  void reset();

  bool frame_pending() const { return frame_pending_; }
  // The bytes collected since the last reset (for the wire trace).
  std::span<const std::uint8_t> received() const { return {rx_.data(), rx_count_}; }

 private:
  void reset_keeping_wait();
  void deliver(ReplyKind kind, const ReplyRule* rule);
  bool answers_report(ReplyKind kind) const;
  int decode(ReplyKind kind, const ReplyRule* rule, int request, char* out, std::size_t out_size);
  void acknowledge_report();

  const LinkProfile& profile_;
  Store& store_;
  const FrameFormat& format_;
  Writer writer_;

  std::array<std::uint8_t, kFrameBufferSize> rx_{};
  std::size_t rx_count_ = 0;
  bool overflow_ = false;       // bytes were dropped: the frame fails its check
  bool frame_pending_ = false;  // a frame is being assembled, or was taken and not yet cleared
  int pending_ = 0;             // request code of the waiting command, 0 when none
  bool answered_ = false;
  ReplyKind answer_kind_ = ReplyKind::None;
  const ReplyRule* answer_rule_ = nullptr;
  std::array<std::uint8_t, kFrameBufferSize + 1> text_{};  // received text, NUL-terminated
  std::size_t text_length_ = 0;
};

}  // namespace devlink
