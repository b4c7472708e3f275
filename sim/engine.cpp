#include "engine.h"

#include <algorithm>

#include "trace.h"

namespace xsim {

Engine::Engine(ReaderState state, Timing timing, Time start)
    : state_(std::move(state)),
      timing_(timing),
      start_(start),
      last_send_(start - timing.frame_gap) {}

std::vector<std::string> Engine::take_notes() {
  std::vector<std::string> out;
  out.swap(notes_);
  return out;
}

void Engine::record(HostFrame frame) {
  received_.push_back(std::move(frame));
  ++received_count_;
  if (received_.size() > kHistory) received_.pop_front();
}

void Engine::trace(std::string_view direction, std::span<const std::uint8_t> bytes, Time at) {
  if (trace_) note(trace_line(at - start_, direction, bytes));
}

// --- What comes from the host ---------------------------------------------------------------

void Engine::on_chunk(std::span<const std::uint8_t> chunk, Time now) {
  trace(devlink::kHostToReader, chunk, now);
  for (Piece& piece : split_chunk(chunk)) {
    if (piece.kind == Piece::Kind::Control) {
      record({HostFrame::Kind::Control, piece.bytes, {}});
      handle_control(piece.bytes[0], now);
    } else if (waiting_) {
      deferred_.push_back(std::move(piece.bytes));  // answered once the report is done with
    } else if (report_due(now)) {
      // A reader reports when it has something to report: a due report goes out before the
      // command is answered (a frame gap after the reader's last frame, so the host takes the
      // two apart), and the command is answered once the report is acknowledged.
      deferred_.push_back(std::move(piece.bytes));
      start_report(std::max(now, last_send_ + timing_.frame_gap));
    } else {
      handle_frame(piece.bytes, now);
    }
  }
}

void Engine::handle_control(std::uint8_t code, Time now) {
  if (!waiting_) {
    note("host sent a control answer while no report waited");
    return;
  }
  if (code == devlink::kAck) {
    ++acknowledged_;
    end_ack_wait(now);
  } else if (code == devlink::kNak) {
    resend_or_abandon(now);
  } else {
    note("host answered a report with DLE; report given up");
    ++abandoned_;
    end_ack_wait(now);
  }
}

void Engine::handle_frame(const Bytes& raw, Time now) {
  const std::optional<std::string> text = frame_text(state_.format, raw);
  record({text ? HostFrame::Kind::Command : HostFrame::Kind::Bad, raw, text.value_or("")});
  if (ignore_ > 0) {
    --ignore_;
    note("fault: frame left unanswered");
    return;
  }
  if (nak_ > 0) {
    --nak_;
    note("fault: frame answered NAK");
    answer(Answer::nak(), now);
    return;
  }
  if (!text) {
    note("host frame failed its check: NAK");
    answer(Answer::nak(), now);
    return;
  }
  answer(handle_command(state_, *text), now);
  after_command(now);
}

void Engine::answer(const Answer& a, Time now) {
  switch (a.kind) {
    case Answer::Kind::None:
      return;
    case Answer::Kind::Ack:
      return queue_write(control_answer(devlink::kAck, state_.format), now);
    case Answer::Kind::Nak:
      return queue_write(control_answer(devlink::kNak, state_.format), now);
    case Answer::Kind::Dle:
      return queue_write(control_answer(devlink::kDle, state_.format), now);
    case Answer::Kind::Text:
      return send_frame(a.text, now);
  }
}

// A reset takes up the new frame format; the answer before it went out in the old one.
void Engine::after_command(Time now) {
  if (state_.new_operation) {
    state_.new_operation = false;
    armed_at_ = now;
  }
  if (state_.reset_requested) apply_reset();
}

void Engine::apply_reset() {
  state_.reset_requested = false;
  state_.format = state_.settings.frame_format();
  if (state_.switch_to) {
    switch_protocol(*state_.switch_to);
    state_.switch_to.reset();
    note(state_.protocol == Protocol::Xerv3 ? "protocol now XERV3" : "protocol now XERV1");
  }
  state_.armed.reset();
  state_.eeprom.close();
  state_.ic.active = false;
  reports_.clear();
}

void Engine::switch_protocol(Protocol protocol) {
  state_.protocol = protocol;
  state_.eeprom.set_protocol(protocol);
  state_.armed.reset();
}

// --- What goes to the host ------------------------------------------------------------------

void Engine::queue_write(Bytes bytes, Time at) {
  if (!outbox_.empty()) at = std::max(at, outbox_.back().at);
  outbox_.push_back({std::move(bytes), at});
}

void Engine::send_frame(std::string_view text, Time now) {
  std::optional<Bytes> frame = frame_bytes(state_.format, text, bad_bcc_);
  if (!frame) {
    note("reply too long for a frame; not sent");
    return;
  }
  if (bad_bcc_) note("fault: frame sent with a wrong block check");
  bad_bcc_ = false;
  if (split_ && frame->size() > 1) {
    const auto half = static_cast<long>(frame->size() / 2);
    queue_write(Bytes(frame->begin(), frame->begin() + half), now);
    queue_write(Bytes(frame->begin() + half, frame->end()), now + *split_);
    note("fault: frame split by a pause");
    split_.reset();
    return;
  }
  queue_write(std::move(*frame), now);
}

void Engine::send_raw(Bytes bytes, Time now) {
  queue_write(std::move(bytes), now);
}

void Engine::queue_report(std::string text, Time now) {
  reports_.push_back({std::move(text), now});
}

std::vector<Bytes> Engine::take_due(Time now) {
  std::vector<Bytes> due;
  while (!outbox_.empty() && outbox_.front().at <= now) {
    trace(devlink::kReaderToHost, outbox_.front().bytes, now);
    sent_.push_back(outbox_.front().bytes);
    if (sent_.size() > kHistory) sent_.pop_front();
    due.push_back(std::move(outbox_.front().bytes));
    outbox_.pop_front();
    last_send_ = now;
  }
  return due;
}

void Engine::line_lost() {
  outbox_.clear();
  deferred_.clear();
  if (waiting_) {
    ++abandoned_;
    waiting_.reset();
  }
}

// --- Reports --------------------------------------------------------------------------------

std::optional<Time> Engine::card_due() const {
  if (!state_.armed) return std::nullopt;
  if (!state_.cards.empty()) return armed_at_ + timing_.report_delay;
  if (timing_.auto_card) return armed_at_ + *timing_.auto_card;
  return std::nullopt;
}

// The armed read or write meets the next card: its report goes into the queue.
void Engine::take_card(Time now) {
  if (state_.cards.empty()) state_.cards.push_back(sample_card());  // --auto-card
  const Card card = std::move(state_.cards.front());
  state_.cards.pop_front();
  const Operation op = std::move(*state_.armed);
  state_.armed.reset();
  if (op.kind == Operation::Kind::Read) {
    queue_report(op.report_letters +
                     card_data(state_.protocol, state_.model, state_.format, op.selection, card),
                 now);
    return;
  }
  WriteStatus status;
  for (std::size_t k = 0; k < kTracks; ++k) {
    if (!op.write[k]) continue;
    const Track& t = card.tracks[k];
    status[k] = t.kind == Track::Kind::Error ? t.status : '0';
  }
  state_.written = op.write;
  queue_report(op.report_letters +
                   write_results(state_.protocol, state_.model, state_.format.separator, status),
               now);
}

void Engine::start_report(Time now) {
  Report r = std::move(reports_.front());
  reports_.pop_front();
  send_frame(r.text, now);
  waiting_ = AckWait{std::move(r.text), 1, outbox_.back().at + timing_.ack_timeout};
}

void Engine::resend_or_abandon(Time now) {
  if (waiting_->sends >= timing_.report_attempts) {
    note("report not acknowledged; given up");
    ++abandoned_;
    return end_ack_wait(now);
  }
  ++waiting_->sends;
  send_frame(waiting_->text, now);
  waiting_->deadline = outbox_.back().at + timing_.ack_timeout;
}

// The report is done with: the host frames that came meanwhile are answered now.
void Engine::end_ack_wait(Time now) {
  waiting_.reset();
  while (!deferred_.empty() && !waiting_) {
    const Bytes raw = std::move(deferred_.front());
    deferred_.pop_front();
    handle_frame(raw, now);
  }
}

bool Engine::report_due(Time now) const {
  return !reports_.empty() && outbox_.empty() && now >= reports_.front().not_before;
}

// No report starts while one waits for its ACK, host bytes are arriving or something else is on
// its way out; otherwise the first one starts at its time, a frame gap after the reader's last
// frame.
std::optional<Time> Engine::report_start(bool host_busy) const {
  if (waiting_ || host_busy || reports_.empty() || !outbox_.empty()) return std::nullopt;
  return std::max(reports_.front().not_before, last_send_ + timing_.frame_gap);
}

void Engine::on_time(Time now, bool host_busy) {
  if (waiting_ && now >= waiting_->deadline) resend_or_abandon(now);
  if (const auto due = card_due(); due && now >= *due) take_card(now);
  if (const auto start = report_start(host_busy); start && now >= *start) start_report(now);
}

std::optional<Time> Engine::next_deadline(bool host_busy) const {
  std::optional<Time> next;
  auto consider = [&](Time t) { next = next ? std::min(*next, t) : t; };
  if (!outbox_.empty()) consider(outbox_.front().at);
  if (waiting_) consider(waiting_->deadline);
  if (const auto due = card_due()) consider(*due);
  if (const auto start = report_start(host_busy)) consider(*start);
  return next;
}

}  // namespace xsim
