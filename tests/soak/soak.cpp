// Soak: many transactions through one reader library against the virtual reader, while card,
// event and error reports (a XERV1 reader sends card reports only) arrive at random moments
// between and during them. Every query must get its own answer, every report must arrive exactly
// once and in order. Ends with one line starting "soak:" (throughput and CPU time per
// transaction); exits 1 after listing the faults it saw.
//   XERV_SOAK_TRANSACTIONS  how many transactions (default 5000)
//   XERV_SOAK_SEED          the random seed (default: from the clock; printed)
//   XERV_SOAK_TRACE         a file for the reader's trace of every frame
// Built once per library: SOAK_XERV1 selects libxerv1, else libxerv3com.
#ifdef SOAK_XERV1
#include "xerv/xerv1.h"
#else
#include "xerv/xerv3com.h"
#endif

#include <time.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "test_env.h"
#include "virtual_reader.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using Rng = std::mt19937;

constexpr char kVersion[] = "SOAK VER 2406171";  // the reader's 16 version characters
constexpr char kDipSwitches[] = "01101001";
constexpr unsigned kCom = 11;

// One character argument and its NUL, for the exports that take a character each.
struct Chars {
  explicit Chars(const std::string& value) {
    for (std::size_t i = 0; i < value.size() && i < held.size(); ++i) held[i] = {value[i], '\0'};
  }
  const char* operator[](std::size_t i) const { return held[i].data(); }
  std::array<std::array<char, 2>, 8> held{};
};

// A reader setting as the soak drives it: its reader-side name, the characters allowed at each
// place of a value, the export ("" queries) and what the reader then holds for a value (null:
// the value itself).
struct Setting {
  const char* name;
  std::vector<std::string> places;
  int (*call)(const std::string& value, char* out);
  std::string (*held)(const std::string& value);
};

int comm_control(const std::string& v, char* out) {
  if (v.empty())
    return Comm_Control_Set(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, out);
  const Chars c(v);
  return Comm_Control_Set(c[0], c[1], c[2], c[3], c[4], c[5], c[6], out);
}
int buzzer_volume(const std::string& v, char* out) {
  return BuzzerVolumeSet(v.c_str(), out);
}
int write_mode(const std::string& v, char* out) {
  return Write_Mode_Set(v.c_str(), out);
}
int shutter(const std::string& v, char* out) {
  return Shutter_Control_Set(v.c_str(), out);
}

const std::vector<std::string> kCommControl{"01", "012",        "01",        "0123",
                                            "01", "0123456789", "0123456789"};

#ifdef SOAK_XERV1
constexpr char kLibrary[] = "xerv1";
constexpr xsim::Protocol kProtocol = xsim::Protocol::Xerv1;
constexpr bool kHasEvents = false;

int read_card() {
  return MagCard_Read(nullptr);
}
int response_format(const std::string& v, char* out) {
  return ResponseFormatSet(v.c_str(), out);
}
int power(const std::string& v, char* out) {
  return Power_ON_OFF_Operation_Setup(v.empty() ? nullptr : v.substr(0, 1).c_str(), out);
}
std::string power_held(const std::string& v) {
  return v.substr(0, 1) + "FF";
}

const std::vector<Setting> kSettings{
    {"SV", {"0123"}, buzzer_volume, nullptr}, {"SM", {"012"}, write_mode, nullptr},
    {"SS", {"01"}, shutter, nullptr},         {"o", {"01"}, response_format, nullptr},
    {"SP", {"01"}, power, power_held},        {"SR", kCommControl, comm_control, nullptr},
};
#else
constexpr char kLibrary[] = "xerv3com";
constexpr xsim::Protocol kProtocol = xsim::Protocol::Xerv3;
constexpr bool kHasEvents = true;

int read_card() {
  return MagCard_Read("C", nullptr);
}
int retry_count(const std::string& v, char* out) {
  return RetryActionCountSet(v.c_str(), out);
}
int led(const std::string& v, char* out) {
  if (v.empty()) return LED_Operation_setup(nullptr, nullptr, nullptr, nullptr, nullptr, out);
  const Chars c(v);
  return LED_Operation_setup(c[0], c[1], c[2], c[3], c[4], out);
}

const std::vector<Setting> kSettings{
    {"SV", {"0123"}, buzzer_volume, nullptr},
    {"SM", {"012"}, write_mode, nullptr},
    {"SS", {"01"}, shutter, nullptr},
    {"SY", {"0123456789"}, retry_count, nullptr},
    {"SL", {"01", "0123456789", "0123456789", "0123456789", "0123456789"}, led, nullptr},
    {"SR", kCommControl, comm_control, nullptr},
};
#endif

// --- What was sent and what arrived ------------------------------------------------------------

// Report codes run 1..99 in order, so a lost, repeated or swapped report breaks the sequence.
int report_code(int sequence) {
  return sequence % 99 + 1;
}

xsim::Card card_number(int k) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%06d", k);
  xsim::Card c;
  c.tracks[0] = xsim::Track::text(std::string("S") + digits + "^" + std::string(k % 30, 'A'));
  c.tracks[1] = xsim::Track::text(std::string(digits) + "=" + std::to_string(k % 7));
  c.tracks[2] = xsim::Track::text(std::string(k % 40 + 1, '3') + digits);
  return c;
}

struct Tally {
  std::atomic<int> cards_sent{0}, events_sent{0}, errors_sent{0};
  std::atomic<int> cards_got{0}, events_got{0}, errors_got{0};
  // A card read was accepted and its card has not come yet (the host's thread only). The host
  // asks for a card only when none is awaited: a read sent while the reader is about to report
  // the card of an earlier read crosses that report; the library takes the report as the read's
  // answer and the reader acknowledges the read as well, which spoils the next answer.
  bool read_waiting = false;
};

// The reader's trace file, when one is asked for; the faults are marked in it too.
std::FILE* trace_file = nullptr;

class Faults {
 public:
  void add(std::string what) {
    std::lock_guard lock(mu_);
    if (list_.size() < 40) std::fprintf(stderr, "soak fault: %s\n", what.c_str());
    if (trace_file != nullptr) std::fprintf(trace_file, "soak fault: %s\n", what.c_str());
    list_.push_back(std::move(what));
  }
  std::size_t count() const {
    std::lock_guard lock(mu_);
    return list_.size();
  }

 private:
  mutable std::mutex mu_;
  std::vector<std::string> list_;
};

// --- The reports: sent by a second thread, taken by the host between transactions ---------------

void report_loop(xsim::VirtualReader& reader, Tally& t, std::atomic<bool>& stop, unsigned seed) {
  Rng rng(seed);
  std::uniform_int_distribution<int> pause(200, 1500), kind(0, kHasEvents ? 2 : 0);
  while (!stop.load()) {
    std::this_thread::sleep_for(milliseconds(pause(rng)));
    // At most one card and three events and errors wait for the host: a second card report
    // would replace the first, a fourth event is dropped by design.
    switch (kind(rng)) {
      case 0:
        if (t.cards_sent.load() == t.cards_got.load())
          reader.present_card(card_number(++t.cards_sent));
        break;
      case 1:
        if (t.events_sent.load() - t.events_got.load() < 3)
          reader.send_event(report_code(t.events_sent++));
        break;
      default:
        if (t.errors_sent.load() - t.errors_got.load() < 3)
          reader.send_error(report_code(t.errors_sent++));
        break;
    }
  }
}

// The three tracks of the card report the library holds.
std::array<std::string, 3> card_tracks() {
  std::array<std::string, 3> tracks;
  int (*const getters[3])(std::int32_t*, char*) = {GetTrk1Data, GetTrk2Data, GetTrk3Data};
  for (std::size_t i = 0; i < 3; ++i) {
    char data[111] = {};
    std::int32_t length = 0;
    getters[i](&length, data);
    tracks[i].assign(data, static_cast<std::size_t>(std::clamp(length, 0, 110)));
  }
  return tracks;
}

bool same_card(const std::array<std::string, 3>& tracks, int k) {
  const xsim::Card card = card_number(k);
  for (std::size_t i = 0; i < 3; ++i)
    if (tracks[i] != card.tracks[i].data) return false;
  return true;
}

// A card must be the next one presented; one that came again is named once and not counted.
void take_card(Tally& t, Faults& faults) {
  std::array<std::int32_t, 4> r{}, l{};
  const int k = t.cards_got.load() + 1;
  if (GetCard_Result(&r[0], &r[1], &r[2], &r[3], &l[0], &l[1], &l[2], &l[3]) != 0 ||
      r != std::array<std::int32_t, 4>{0, 0, 0, -1})
    faults.add("card " + std::to_string(k) + ": wrong results");
  const std::array<std::string, 3> tracks = card_tracks();
  if (same_card(tracks, k - 1)) return faults.add("card " + std::to_string(k - 1) + " came twice");
  if (!same_card(tracks, k))
    faults.add("card " + std::to_string(k) + ": got '" + tracks[0] + "', '" + tracks[1] + "', '" +
               tracks[2] + "'");
  ++t.cards_got;
  t.read_waiting = false;
}

// Codes must come in the order sent; one that came again is named and not counted.
void take_codes(bool errors, std::atomic<int>& got, Faults& faults) {
  std::int32_t v[3] = {};
  const int r =
      errors ? GetError_Status(&v[0], &v[1], &v[2]) : GetEvent_Status(&v[0], &v[1], &v[2]);
  if (r != 0) faults.add("report query gave " + std::to_string(r));
  const std::string kind = errors ? "error " : "event ";
  for (const std::int32_t code : v) {
    if (code == 0) continue;
    const int due = report_code(got.load());
    if (code != due && got.load() > 0 && code == report_code(got.load() - 1)) {
      faults.add(kind + std::to_string(code) + " came twice");
      continue;
    }
    if (code != due)
      faults.add(kind + std::to_string(code) + " arrived where " + std::to_string(due) +
                 " was due");
    ++got;
  }
}

void collect(Tally& t, Faults& faults) {
  std::int32_t status = 0;
  if (GetStatus(&status) != 0) faults.add("GetStatus failed");
  if ((status & 1) != 0) take_card(t, faults);
  if ((status & 4) != 0) take_codes(false, t.events_got, faults);
  if ((status & 8) != 0) take_codes(true, t.errors_got, faults);
}

// --- The transactions ---------------------------------------------------------------------------

class Host {
 public:
  Host(xsim::VirtualReader& reader, Tally& tally, Faults& faults, unsigned seed)
      : reader_(reader), tally_(tally), faults_(faults), rng_(seed) {
    for (const Setting& s : kSettings) held_.push_back(reader.setting(s.name).value_or("?"));
  }

  void transaction(int n) {
    const int pick = std::uniform_int_distribution<int>(0, 99)(rng_);
    if (pick < 20) return expect(n, "version", version(), kVersion);
    if (pick < 30) return expect(n, "DIP switches", dip_switches(), kDipSwitches);
    if (pick < 40) return card_read(n);
#ifdef SOAK_XERV1
    if (pick < 50) return echo(n);
#endif
    setting(n, kSettings[std::uniform_int_distribution<std::size_t>(0, kSettings.size() - 1)(rng_)],
            pick % 2 == 0);
  }

  // Now and then the host leaves the line quiet a while, polling, so that reports also arrive
  // between transactions.
  void idle() {
    if (std::uniform_int_distribution<int>(0, 7)(rng_) != 0) return collect(tally_, faults_);
    const auto end = Clock::now() + milliseconds(std::uniform_int_distribution<int>(0, 200)(rng_));
    do {
      collect(tally_, faults_);
      std::this_thread::sleep_for(20ms);
    } while (Clock::now() < end);
  }

 private:
  struct Answer {
    int result;
    std::string out;
  };

  static Answer version() {
    char out[17] = {};
    return {ProgVersion_Read(out), out};
  }
  static Answer dip_switches() {
    char out[9] = {};
    return {Dipsw_Read(out), out};
  }

  void check(int n, const char* what, int result) {
    if (result != 0)
      faults_.add("transaction " + std::to_string(n) + " (" + what + "): result " +
                  std::to_string(result));
  }
  void expect(int n, const std::string& what, const Answer& a, const std::string& wanted) {
    check(n, what.c_str(), a.result);
    if (a.result == 0 && a.out != wanted)
      faults_.add("transaction " + std::to_string(n) + " (" + what + "): got '" + a.out +
                  "', expected '" + wanted + "'");
  }

  void card_read(int n) {
    if (tally_.read_waiting) return expect(n, "version", version(), kVersion);
    const int r = read_card();
    check(n, "card read", r);
    tally_.read_waiting = r == 0;
  }

  std::string random_value(const Setting& s) {
    std::string v;
    for (const std::string& chars : s.places)
      v += chars[std::uniform_int_distribution<std::size_t>(0, chars.size() - 1)(rng_)];
    return v;
  }

  // Sets a new value or queries the one last set; either answer must carry that value.
  void setting(int n, const Setting& s, bool set) {
    std::string& held = held_[static_cast<std::size_t>(&s - kSettings.data())];
    const std::string value = set ? random_value(s) : "";
    if (set) held = s.held != nullptr ? s.held(value) : value;
    char out[32] = {};
    const int r = s.call(value, out);
    expect(n, std::string(set ? "set " : "query ") + s.name, {r, out}, held);
  }

#ifdef SOAK_XERV1
  void echo(int n) {
    std::string ten;
    for (int i = 0; i < 10; ++i)
      ten += static_cast<char>(std::uniform_int_distribution<int>('0', 'Z')(rng_));
    check(n, "data return", DataReturn(ten.c_str()));
  }
#endif

  xsim::VirtualReader& reader_;
  Tally& tally_;
  Faults& faults_;
  Rng rng_;
  std::vector<std::string> held_;
};

// --- Set-up, the run and the final account -----------------------------------------------------

int env_number(const char* name, int fallback) {
  const char* v = std::getenv(name);
  return v != nullptr && *v != '\0' ? std::atoi(v) : fallback;
}

double cpu_seconds() {
  timespec t{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

xsim::Options reader_options() {
  xsim::Options o;
  o.protocol = kProtocol;
  o.com = kCom;
  o.dir = xtest::com_dir();
  o.version = kVersion;
  o.dip_switches = kDipSwitches;
  o.timing.silence = 10ms;
  o.timing.report_delay = 50ms;
  o.timing.frame_gap = 150ms;
  o.log = [](std::string_view) {};
  if (const char* path = std::getenv("XERV_SOAK_TRACE"); path != nullptr && *path != '\0') {
    // Every frame both ways, time-stamped, and the reader's notices, for finding a fault.
    trace_file = std::fopen(path, "w");
    o.trace = trace_file != nullptr;
    o.log = [](std::string_view line) {
      std::fprintf(trace_file, "%.*s\n", static_cast<int>(line.size()), line.data());
    };
  }
  return o;
}

// After the run: the last card still needs a read to come out; every report must arrive.
void drain(xsim::VirtualReader& reader, Tally& t, Faults& faults) {
  const auto end = Clock::now() + 20s;
  while (Clock::now() < end) {
    collect(t, faults);
    const bool card_waits = t.cards_got.load() < t.cards_sent.load();
    if (!card_waits && t.events_got.load() == t.events_sent.load() &&
        t.errors_got.load() == t.errors_sent.load() && reader.wait_idle(0ms))
      break;
    if (card_waits && !t.read_waiting) {
      if (read_card() != 0) faults.add("drain: card read failed");
      t.read_waiting = true;
    }
    std::this_thread::sleep_for(50ms);
  }
}

void account(const xsim::VirtualReader& reader, const Tally& t, Faults& faults) {
  const auto compare = [&](const char* what, int sent, int got) {
    if (sent != got)
      faults.add(std::string(what) + ": " + std::to_string(sent) + " sent, " + std::to_string(got) +
                 " received");
  };
  compare("cards", t.cards_sent.load(), t.cards_got.load());
  compare("events", t.events_sent.load(), t.events_got.load());
  compare("errors", t.errors_sent.load(), t.errors_got.load());
  compare("acknowledged reports", t.cards_sent + t.events_sent + t.errors_sent,
          reader.acknowledged_reports());
  compare("abandoned reports", 0, reader.abandoned_reports());
}

int run() {
  const int n = env_number("XERV_SOAK_TRANSACTIONS", 5000);
  const auto seed = static_cast<unsigned>(
      env_number("XERV_SOAK_SEED", static_cast<int>(Clock::now().time_since_epoch().count())));
  xsim::VirtualReader reader(reader_options());
  reader.start();
  if (rs_PortOpen(reader.port().c_str()) != 0) {
    std::fprintf(stderr, "soak: cannot open the port\n");
    return 1;
  }
  const std::uint32_t model = 101;
  Tally tally;
  Faults faults;
  if (Connection_Model_Setup(&model) != 0) faults.add("connection model setup failed");

  std::atomic<bool> stop{false};
  std::thread reports(report_loop, std::ref(reader), std::ref(tally), std::ref(stop), seed + 1);
  Host host(reader, tally, faults, seed);
  const double cpu0 = cpu_seconds();
  const auto t0 = Clock::now();
  for (int i = 1; i <= n; ++i) {
    host.transaction(i);
    host.idle();
  }
  const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
  const double cpu = cpu_seconds() - cpu0;
  stop.store(true);
  reports.join();
  drain(reader, tally, faults);
  account(reader, tally, faults);
  rs_PortClose();
  reader.stop();

  std::printf(
      "soak: %s %d transactions in %.1f s: %.2f transactions/s, CPU %.2f ms per transaction; "
      "reports %d cards, %d events, %d errors; seed %u; %zu faults\n",
      kLibrary, n, wall, n / wall, n > 0 ? cpu * 1e3 / n : 0.0, tally.cards_sent.load(),
      tally.events_sent.load(), tally.errors_sent.load(), seed, faults.count());
  return faults.count() == 0 ? 0 : 1;
}

}  // namespace

int main() {
  return run();
}
