#include "frame_engine.h"

#include <algorithm>
#include <cstring>

#include "reports.h"
#include "result.h"

namespace devlink {

bool FrameEngine::append(std::span<const std::uint8_t> bytes) {
  const std::size_t n = std::min(rx_.size() - rx_count_, bytes.size());
  std::memcpy(rx_.data() + rx_count_, bytes.data(), n);
  rx_count_ += n;
  if (n < bytes.size()) overflow_ = true;
  if (frame_pending_) return false;
  frame_pending_ = true;
  return true;
}

void FrameEngine::begin_wait(int request) {
  pending_ = request;
  answered_ = false;
  answer_kind_ = ReplyKind::None;
  answer_rule_ = nullptr;
}

void FrameEngine::reset_keeping_wait() {
  rx_count_ = 0;
  rx_[0] = 0;
  overflow_ = false;
  frame_pending_ = false;
}

void FrameEngine::reset() {
  reset_keeping_wait();
  begin_wait(0);
}

bool FrameEngine::answers_report(ReplyKind kind) const {
  // A read command's answer may be the card data itself, a write's its result. Any other report
  // that arrives while a command waits is stored, and the command goes on waiting.
  if (kind == ReplyKind::CardData) return pending_ == 1;
  if (kind == ReplyKind::WriteResult) return pending_ == 3;
  return false;
}

void FrameEngine::deliver(ReplyKind kind, const ReplyRule* rule) {
  answered_ = true;
  answer_kind_ = kind;
  answer_rule_ = rule;
}

void FrameEngine::complete() {
  if (rx_count_ == 0) return;
  const std::span<const std::uint8_t> rx{rx_.data(), rx_count_};
  const bool two_byte = profile_.two_byte_control_request != 0 &&
                        pending_ == profile_.two_byte_control_request;
  FrameResult fr;
  if (!overflow_) fr = check_frame(format_, rx, two_byte);
  switch (fr.check) {
    case FrameCheck::Control:
      // An unasked control byte answers nothing and is dropped.
      if (pending_ == 0) return reset();
      text_length_ = 0;
      text_[0] = 0;
      return deliver(classify_control(fr.control_byte), nullptr);
    case FrameCheck::NoStart:
      // The frame stays pending until the waiting command's clean-up.
      if (pending_ != 0 && profile_.keep_frame_without_start) return;
      // Discarded; a waiting command loses its claim on the answer and ends with a time-out.
      return reset();
    case FrameCheck::BadFrame:
      // With a command waiting, the failed frame stays until its clean-up; unasked, it is
      // discarded at once so that the reports after it are not lost.
      if (pending_ != 0) return;
      return reset();
    case FrameCheck::Text: break;
  }
  std::memcpy(text_.data(), rx_.data() + fr.text_begin, fr.text_length);
  text_length_ = fr.text_length;
  text_[text_length_] = 0;
  const ReplyRule* rule = classify_text(profile_, {text_.data(), text_length_});
  const ReplyKind kind = rule != nullptr ? rule->kind : ReplyKind::Unknown;
  const bool report = kind == ReplyKind::CardData || kind == ReplyKind::WriteResult ||
                      kind == ReplyKind::Event || kind == ReplyKind::Error;
  if (pending_ != 0 && (!report || answers_report(kind))) return deliver(kind, rule);
  decode(kind, rule, 0, nullptr, 0);
  reset_keeping_wait();
}

int FrameEngine::decode_answer(int request, char* out, std::size_t out_size) {
  if (!answered_) return kTimeout;
  return decode(answer_kind_, answer_rule_, request, out, out_size);
}

void FrameEngine::acknowledge_report() {
  static constexpr std::uint8_t kAckCr[2] = {kAck, kCr};
  writer_({kAckCr, format_.bcc_mode == 2 ? 2u : 1u});
}

int FrameEngine::decode(ReplyKind kind, const ReplyRule* rule, int request, char* out,
                        std::size_t out_size) {
  const std::span<const std::uint8_t> text{text_.data(), text_length_};
  const std::size_t data_at = std::min(report_data_offset(profile_), text.size());
  switch (kind) {
    case ReplyKind::None:
    case ReplyKind::Unknown: return kUnknownReply;
    case ReplyKind::Ack: return kOk;
    case ReplyKind::Dle: return profile_.dle_is_error ? kDleAnswer : kOk;
    case ReplyKind::Nak: return kNakResult;
    case ReplyKind::Ng: return text.size() < 5 ? kUnknownReply : ng_code(text);
    case ReplyKind::CardData:
      acknowledge_report();  // before the split
      store_card_data(store_, profile_.protocol, format_, text.subspan(data_at));
      return kOk;
    case ReplyKind::WriteResult:
      store_write_result(store_, profile_.protocol, format_, text.subspan(data_at));
      acknowledge_report();  // after the results are stored
      return kOk;
    case ReplyKind::Event:
    case ReplyKind::Error: {
      const auto digits = text.subspan(std::min<std::size_t>(2, text.size()));
      if (kind == ReplyKind::Event)
        store_event(store_, digits);
      else
        store_error(store_, digits);
      static constexpr std::uint8_t kAckOnly[1] = {kAck};
      writer_(kAckOnly);
      return kOk;
    }
    case ReplyKind::Data:
      if (rule == nullptr || rule->decode == nullptr) return kUnknownReply;
      return rule->decode(ReplyEnv{text, request, out, store_, out == nullptr ? 0 : out_size});
  }
  return kUnknownReply;
}

}  // namespace devlink
