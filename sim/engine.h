// The virtual reader's behaviour over time, without the line: chunks of host bytes come in (each
// ended by silence), answers, reports and injected faults go out as writes with the time they are
// due. Reports wait for the host's ACK and are sent again on NAK or silence. Not thread-safe: the
// virtual reader calls it under its lock.
#pragma once

#include <chrono>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "commands.h"
#include "framing.h"
#include "reader_state.h"

namespace xsim {

using Clock = std::chrono::steady_clock;
using Time = Clock::time_point;
using std::chrono::milliseconds;

struct Timing {
  milliseconds silence{5};         // ends a frame from the host (who writes a frame in one go)
  milliseconds report_delay{300};  // from a read's ACK to its card report (the card moving in)
  milliseconds frame_gap{250};     // between two of the reader's frames, so the host takes each
  milliseconds ack_timeout{1000};  // how long a report waits for the host's ACK
  int report_attempts = 3;         // sends of one report before it is given up
  std::optional<milliseconds> auto_card;  // present a sample card this long after a read or write
};

// What came from the host: a control answer, a command frame or a frame that failed its check.
struct HostFrame {
  enum class Kind { Control, Command, Bad };
  Kind kind;
  Bytes raw;
  std::string text;  // the command text of a good frame
};

class Engine {
 public:
  Engine(ReaderState state, Timing timing, Time start);

  ReaderState& state() { return state_; }
  const ReaderState& state() const { return state_; }
  const Timing& timing() const { return timing_; }

  void on_chunk(std::span<const std::uint8_t> chunk, Time now);
  // Runs what is due: card reports, ACK waits, the sample card. While `host_busy` (host bytes are
  // arriving) no report is started.
  void on_time(Time now, bool host_busy);
  // When on_time or take_due next has something to do (`host_busy` as for on_time).
  std::optional<Time> next_deadline(bool host_busy) const;
  // A queued report may go out now (nothing else is being sent).
  bool report_due(Time now) const;
  // The writes due by now, in order; each is one write to the line.
  std::vector<Bytes> take_due(Time now);
  // The line went away: what was on its way is lost.
  void line_lost();

  // Control actions.
  void present_card(Card card) { state_.cards.push_back(std::move(card)); }
  void remove_cards() { state_.cards.clear(); }
  void queue_report(std::string text, Time now);
  void send_raw(Bytes bytes, Time now);
  void nak_next(int n) { nak_ = n; }
  void ignore_next(int n) { ignore_ = n; }
  void bad_bcc_next() { bad_bcc_ = true; }
  void split_next(milliseconds pause) { split_ = pause; }
  void switch_protocol(Protocol protocol);
  void set_trace(bool on) { trace_ = on; }

  // The latest frames each way (at most kHistory of each), and how many came in all.
  std::vector<HostFrame> received() const { return {received_.begin(), received_.end()}; }
  std::vector<Bytes> sent() const { return {sent_.begin(), sent_.end()}; }
  std::size_t received_count() const { return received_count_; }
  int acknowledged_reports() const { return acknowledged_; }
  int abandoned_reports() const { return abandoned_; }
  // Nothing to send and no report queued or waiting for its ACK.
  bool idle() const { return outbox_.empty() && reports_.empty() && !waiting_; }
  // Trace lines and notices since the last call.
  std::vector<std::string> take_notes();
  void note(std::string text) { notes_.push_back(std::move(text)); }

  static constexpr std::size_t kHistory = 1000;

 private:
  struct Out {
    Bytes bytes;
    Time at;
  };
  struct Report {
    std::string text;
    Time not_before;
  };
  struct AckWait {
    std::string text;
    int sends;
    Time deadline;
  };

  void handle_control(std::uint8_t code, Time now);
  void handle_frame(const Bytes& raw, Time now);
  void answer(const Answer& a, Time now);
  void after_command(Time now);
  void apply_reset();
  void send_frame(std::string_view text, Time now);
  void queue_write(Bytes bytes, Time at);
  void start_report(Time now);
  void resend_or_abandon(Time now);
  void end_ack_wait(Time now);
  void take_card(Time now);
  std::optional<Time> card_due() const;
  // When the first queued report may start, or nothing while none may.
  std::optional<Time> report_start(bool host_busy) const;
  void record(HostFrame frame);
  void trace(std::string_view direction, std::span<const std::uint8_t> bytes, Time at);

  ReaderState state_;
  Timing timing_;
  Time start_;
  bool trace_ = false;

  std::deque<Out> outbox_;
  std::deque<Report> reports_;
  std::optional<AckWait> waiting_;
  std::deque<Bytes> deferred_;  // host frames that came while a report waited for its ACK
  Time armed_at_{};
  Time last_send_{};

  int nak_ = 0;
  int ignore_ = 0;
  bool bad_bcc_ = false;
  std::optional<milliseconds> split_;

  std::deque<HostFrame> received_;
  std::deque<Bytes> sent_;
  std::size_t received_count_ = 0;
  int acknowledged_ = 0;
  int abandoned_ = 0;
  std::vector<std::string> notes_;
};

}  // namespace xsim
