// The fault cases both reader libraries share, run through their C exports against the virtual
// reader: NAK and silence, garbage around and inside answers, overlong and split frames, spoilt
// reports, a device that hangs up and a holder that is killed. Each library must give its
// documented result within its time-out, never spin, and work again afterwards.
//
// Include the library's public header before this one. A test folder describes its library and
// instantiates the suite with it:
//   struct Lib {
//     static constexpr xsim::Protocol kProtocol = ...;
//     static constexpr std::chrono::milliseconds kTimeout{...};  // the answer time-out
//     static int read_card();  // the export that asks for the next card
//   };
//   INSTANTIATE_TYPED_TEST_SUITE_P(Name, FaultsTest, Lib);
#pragma once

#if !defined(XERV_XERV3COM_H) && !defined(XERV_XERV1_H)
#error "include <xerv/xerv3com.h> or <xerv/xerv1.h> before faults_common.h"
#endif

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "probe.h"
#include "pty_reader.h"
#include "test_env.h"
#include "virtual_reader.h"

namespace xfaults {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;
using xsim::Bytes;

inline constexpr unsigned kCom = 7;
inline constexpr char kVersion[] = "FAULTS 9.8725010";  // the reader's 16 version characters
// No frame: control codes, a separator, line ends, a high byte, an end code; no start code. Its
// bytes do not cancel out in a block check.
inline const Bytes kJunk{0x00, 0x06, 0x15, 0x1F, 0x0D, 0x0A, 0xFF, 0x41, 0x03};

inline Bytes joined(std::initializer_list<Bytes> parts) {
  Bytes out;
  for (const Bytes& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// A frame in the default format of any length (the libraries' frame builder stops at 404 bytes).
inline Bytes long_frame(const std::string& text) {
  Bytes f{devlink::kStx};
  std::uint8_t bcc = devlink::kEtx;
  for (const char c : text) {
    f.push_back(static_cast<std::uint8_t>(c));
    bcc ^= static_cast<std::uint8_t>(c);
  }
  f.push_back(devlink::kEtx);
  f.push_back(bcc);
  return f;
}

inline Bytes version_answer() {
  return xtest::framed(std::string("VR") + kVersion);
}

// The version answer with junk between its letters and its data.
inline Bytes junk_inside() {
  Bytes f = version_answer();
  f.insert(f.begin() + 3, kJunk.begin(), kJunk.end());
  return f;
}

// Process CPU time (every thread: the library's and the reader's) spent over `window`, in ms.
inline double cpu_ms_over(milliseconds window) {
  timespec a{}, b{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &a);
  std::this_thread::sleep_for(window);
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &b);
  return static_cast<double>(b.tv_sec - a.tv_sec) * 1e3 +
         static_cast<double>(b.tv_nsec - a.tv_nsec) / 1e6;
}

inline long ms(Clock::duration d) {
  return static_cast<long>(std::chrono::duration_cast<milliseconds>(d).count());
}

inline xsim::Card test_card() {
  xsim::Card c;
  c.tracks[0] = xsim::Track::text("FAULT1^TRACK^ONE");
  c.tracks[1] = xsim::Track::text("2222333344445555=99");
  c.tracks[2] = xsim::Track::text("0123456789012345678901234");
  return c;
}

// What one call gave and how long it took.
struct Call {
  int result = 0;
  std::string out;
  Clock::duration took{};
};

template <class Lib>
class FaultsTest : public ::testing::Test {
 protected:
  static xsim::Options options() {
    xsim::Options o;
    o.protocol = Lib::kProtocol;
    o.com = kCom;
    o.dir = xtest::com_dir();
    o.version = kVersion;
    o.timing.report_delay = 50ms;
    o.timing.frame_gap = 150ms;
    o.timing.ack_timeout = 500ms;
    o.log = [](std::string_view) {};
    return o;
  }

  void SetUp() override {
    reader.start();
    ASSERT_EQ(rs_PortOpen(reader.port().c_str()), 0);
  }
  void TearDown() override {
    rs_PortClose();
    reader.stop();
  }

  static Call version() {
    char out[17] = {};
    const auto start = Clock::now();
    const int r = ProgVersion_Read(out);
    return {r, out, Clock::now() - start};
  }

  // The link works: a query gets its own answer.
  void expect_works() {
    const Call c = version();
    EXPECT_EQ(c.result, 0);
    EXPECT_EQ(c.out, kVersion);
  }

  std::size_t frames_in() const { return reader.received().size(); }

  // A version query that the reader leaves unanswered while `play` sends what the test wants
  // the library to see as its answer.
  template <class Play>
  Call version_while(Play play) {
    const std::size_t before = frames_in();
    reader.ignore_next(1);
    auto call = std::async(std::launch::async, [] { return version(); });
    EXPECT_TRUE(reader.wait_received(before + 1, 2s)) << "the query reached the reader";
    play();
    return call.get();
  }

  void set_model_101() {
    const std::uint32_t code = 101;
    ASSERT_EQ(Connection_Model_Setup(&code), 0);
  }

  std::int32_t wait_for_status(std::int32_t bits, milliseconds bound) {
    std::int32_t status = 0;
    const auto end = Clock::now() + bound;
    while (Clock::now() < end) {
      EXPECT_EQ(GetStatus(&status), 0);
      if ((status & bits) != 0) break;
      std::this_thread::sleep_for(10ms);
    }
    return status;
  }

  // The card report of test_card() under connection model 101: three good tracks.
  void expect_test_card() {
    std::array<std::int32_t, 4> r{}, l{};
    ASSERT_EQ(GetCard_Result(&r[0], &r[1], &r[2], &r[3], &l[0], &l[1], &l[2], &l[3]), 0);
    EXPECT_EQ(r, (std::array<std::int32_t, 4>{0, 0, 0, -1}));
    const xsim::Card card = test_card();
    int (*const getters[3])(std::int32_t*, char*) = {GetTrk1Data, GetTrk2Data, GetTrk3Data};
    for (std::size_t k = 0; k < 3; ++k) {
      char data[111] = {};
      std::int32_t length = -1;
      ASSERT_EQ(getters[k](&length, data), 0);
      EXPECT_EQ(std::string(data, static_cast<std::size_t>(length)), card.tracks[k].data);
    }
  }

  // Frames with a start code that the reader has sent: answers and reports, not ACK or junk.
  std::size_t framed_sent() const {
    std::size_t n = 0;
    for (const Bytes& b : reader.sent()) n += !b.empty() && b[0] == devlink::kStx ? 1 : 0;
    return n;
  }

  // After a hang-up: nothing spins, commands fail at once, the port closes promptly and opens
  // again once the device is back.
  void expect_recovery_after_hang_up() {
    EXPECT_LT(cpu_ms_over(1s), 10.0) << "under 1 % of a core after the hang-up";
    const Call after = version();
    EXPECT_EQ(after.result, -1);
    EXPECT_LT(ms(after.took), 500);
    std::int32_t status = -1;
    EXPECT_EQ(GetStatus(&status), 0);
    const auto start = Clock::now();
    EXPECT_EQ(rs_PortClose(), 0);
    EXPECT_LT(ms(Clock::now() - start), 1000);
    reader.reconnect();
    ASSERT_EQ(rs_PortOpen(reader.port().c_str()), 0);
    expect_works();
  }

  xsim::VirtualReader reader{options()};
};

TYPED_TEST_SUITE_P(FaultsTest);

TYPED_TEST_P(FaultsTest, NakOnEveryAttemptGives903AfterThreeFrames) {
  const std::size_t before = this->frames_in();
  this->reader.nak_next(1000);
  EXPECT_EQ(this->version().result, 903);
  std::this_thread::sleep_for(300ms);  // a fourth attempt would have come by now
  const std::vector<xsim::HostFrame> frames = this->reader.received();
  ASSERT_EQ(frames.size(), before + 3);
  for (std::size_t i = before; i < frames.size(); ++i) EXPECT_EQ(frames[i].text, "VR");

  this->reader.nak_next(2);  // the third attempt is answered
  this->expect_works();
  EXPECT_EQ(this->frames_in(), before + 6);
}

TYPED_TEST_P(FaultsTest, SilenceGives904AfterTheTimeOutWithoutRetries) {
  const std::size_t before = this->frames_in();
  this->reader.ignore_next(1000);
  const Call c = this->version();
  EXPECT_EQ(c.result, 904);
  EXPECT_GE(ms(c.took), TypeParam::kTimeout.count() - 20);
  EXPECT_LT(ms(c.took), TypeParam::kTimeout.count() + 1000);
  EXPECT_EQ(this->frames_in(), before + 1);
  this->reader.ignore_next(0);
  this->expect_works();
}

// What arrives while a query waits, and what the query gives.
TYPED_TEST_P(FaultsTest, GarbageAroundAndInsideAnAnswer) {
  const std::string long_text = std::string("VR") + kVersion;
  const struct {
    const char* name;
    Bytes arrives;
    int result;
  } cases[] = {
      {"junk before the frame", joined({kJunk, version_answer()}), 0},
      {"junk inside the frame", junk_inside(), 904},
      // The end code is searched from the back: bytes after the block check are left over
      // unless they hold an end code of their own.
      {"junk after the frame", joined({version_answer(), kJunk}), 0},
      {"an end code after the frame", joined({version_answer(), Bytes{'A', 0x03, 'Z', 'C'}}), 904},
      {"junk alone", kJunk, 904},
      {"a frame without its end", Bytes{devlink::kStx, 'V', 'R', '1', '2'}, 904},
      {"405 bytes", long_frame(long_text + std::string(405 - 3 - long_text.size(), 'x')), 904},
      {"1000 bytes", long_frame(long_text + std::string(1000, 'x')), 904},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    const Call got = this->version_while([&] { this->reader.send_garbage(c.arrives); });
    EXPECT_EQ(got.result, c.result);
    if (c.result == 0) {
      EXPECT_EQ(got.out, kVersion);
    }
    this->expect_works();
  }
}

// Garbage while nothing waits is dropped, and the next command is not disturbed by it.
TYPED_TEST_P(FaultsTest, GarbageWhileIdleIsDropped) {
  const Bytes pieces[] = {kJunk, long_frame(std::string(1000, 'V')), xtest::framed("ZZ12"),
                          Bytes{devlink::kStx, 'V', 'R'}, junk_inside()};
  for (const Bytes& p : pieces) {
    this->reader.send_garbage(p);
    std::this_thread::sleep_for(250ms);
  }
  this->expect_works();
  std::int32_t status = -1;
  EXPECT_EQ(GetStatus(&status), 0);
  EXPECT_EQ(status, 0);
}

// A pause inside the answer ends the frame early: the halves fail their check. A second half that
// comes after the time-out is not taken as the answer of the next command.
TYPED_TEST_P(FaultsTest, SplitAnswerFailsWith904) {
  for (const milliseconds pause : {150ms, TypeParam::kTimeout + 300ms}) {
    SCOPED_TRACE(pause.count());
    this->reader.split_next(pause);
    const Call c = this->version();
    EXPECT_EQ(c.result, 904);
    EXPECT_LT(ms(c.took), TypeParam::kTimeout.count() + 1000);
    std::this_thread::sleep_for(600ms);
    this->expect_works();
  }
}

// An answer that arrives after its query timed out is dropped as unasked.
TYPED_TEST_P(FaultsTest, LateAnswerIsNotTakenByTheNextQuery) {
  this->reader.ignore_next(1);
  EXPECT_EQ(this->version().result, 904);
  this->reader.send_garbage(xtest::framed("VRLATE ANSWER 0000"));
  std::this_thread::sleep_for(250ms);
  this->expect_works();
}

// A report spoilt on the line is not acknowledged, so the reader sends it again; garbage just
// before a report does not cost the report.
TYPED_TEST_P(FaultsTest, CardReportArrivesAfterASpoiltFrame) {
  this->set_model_101();
  for (const bool bad_bcc : {true, false}) {
    SCOPED_TRACE(bad_bcc ? "bad block check" : "junk first");
    const std::size_t sent = this->framed_sent();
    const int acknowledged = this->reader.acknowledged_reports();
    ASSERT_EQ(TypeParam::read_card(), 0);
    if (bad_bcc)
      this->reader.bad_bcc_next();
    else
      this->reader.send_garbage(kJunk);
    this->reader.present_card(test_card());
    ASSERT_NE(this->wait_for_status(1, 5s) & 1, 0);
    this->expect_test_card();
    EXPECT_TRUE(this->reader.wait_idle(2s));
    EXPECT_EQ(this->reader.acknowledged_reports(), acknowledged + 1);
    EXPECT_EQ(this->reader.abandoned_reports(), 0);
    EXPECT_EQ(this->framed_sent(), sent + (bad_bcc ? 2 : 1)) << "sends of the report";
    this->expect_works();
  }
}

// A card report while a query waits is stored and acknowledged; the query goes on waiting and
// takes its own answer.
TYPED_TEST_P(FaultsTest, CardReportWhileAQueryWaits) {
  this->set_model_101();
  ASSERT_EQ(TypeParam::read_card(), 0);
  const int acknowledged = this->reader.acknowledged_reports();
  const Call c = this->version_while([&] {
    this->reader.present_card(test_card());
    for (int i = 0; i < 200 && this->reader.acknowledged_reports() == acknowledged; ++i)
      std::this_thread::sleep_for(10ms);
    std::this_thread::sleep_for(150ms);
    this->reader.send_garbage(version_answer());
  });
  EXPECT_EQ(c.result, 0);
  EXPECT_EQ(c.out, kVersion);
  EXPECT_EQ(this->reader.acknowledged_reports(), acknowledged + 1);
  std::int32_t status = 0;
  EXPECT_EQ(GetStatus(&status), 0);
  EXPECT_EQ(status, 1);
  this->expect_test_card();
}

// A command called while a report is still arriving goes out after the report is complete and
// acknowledged: an acknowledgement right behind a command frame would reach the reader as part
// of that frame, and the reader would send the report again.
TYPED_TEST_P(FaultsTest, CommandCalledWhileAReportArrives) {
  this->set_model_101();
  ASSERT_EQ(TypeParam::read_card(), 0);
  const std::size_t sent = this->framed_sent();
  const std::size_t before = this->frames_in();
  this->reader.present_card(test_card());
  for (int i = 0; i < 2000 && this->framed_sent() == sent; ++i) std::this_thread::sleep_for(1ms);
  std::this_thread::sleep_for(85ms);  // the report is complete 100 ms after its last byte
  this->expect_works();
  const std::vector<xsim::HostFrame> frames = this->reader.received();
  ASSERT_EQ(frames.size(), before + 2);
  EXPECT_EQ(frames[before].kind, xsim::HostFrame::Kind::Control) << "the acknowledgement first";
  EXPECT_EQ(frames[before + 1].text, "VR");
  EXPECT_TRUE(this->reader.wait_idle(2s));
  EXPECT_EQ(this->framed_sent(), sent + 2) << "the report once, then the answer";
  this->expect_test_card();
}

// A report that is still arriving when a command times out is not cut off by the command's
// clean-up: it completes, is stored and is acknowledged on its first sending.
TYPED_TEST_P(FaultsTest, ReportArrivingAsACommandTimesOut) {
  this->set_model_101();
  ASSERT_EQ(TypeParam::read_card(), 0);
  const std::size_t sent = this->framed_sent();
  const Call c = this->version_while([&] {
    std::this_thread::sleep_for(TypeParam::kTimeout - 60ms);
    this->reader.present_card(test_card());
  });
  EXPECT_EQ(c.result, 904);
  ASSERT_NE(this->wait_for_status(1, 3s) & 1, 0);
  EXPECT_TRUE(this->reader.wait_idle(2s));
  EXPECT_EQ(this->framed_sent(), sent + 1) << "the report was sent once";
  this->expect_test_card();
  this->expect_works();
}

TYPED_TEST_P(FaultsTest, HangUpDuringACommand) {
  const Call c = this->version_while([&] { this->reader.hang_up(); });
  EXPECT_TRUE(c.result == -1 || c.result == 904) << c.result;
  EXPECT_LT(ms(c.took), TypeParam::kTimeout.count() + 500);
  this->expect_recovery_after_hang_up();
}

TYPED_TEST_P(FaultsTest, HangUpWhileIdle) {
  this->reader.hang_up();
  std::this_thread::sleep_for(100ms);
  this->expect_recovery_after_hang_up();
}

// A process that holds the port and dies frees it for the next one.
TYPED_TEST_P(FaultsTest, KilledHolderFreesThePort) {
#if defined(OPEN_PROBE) && defined(XERV_LIBRARY)
  ASSERT_EQ(rs_PortClose(), 0);
  const std::string port = this->reader.port();
  pid_t holder = 0;
  EXPECT_EQ(xtest::probe(port, "hold", &holder), "0") << "the holder opened the port";
  ASSERT_GT(holder, 0) << "the probe started";
  EXPECT_EQ(rs_PortOpen(port.c_str()), 9000);

  ::kill(holder, SIGKILL);
  ::waitpid(holder, nullptr, 0);
  ASSERT_EQ(rs_PortOpen(port.c_str()), 0);
  this->expect_works();
#else
  GTEST_SKIP() << "built without the open probe";
#endif
}

REGISTER_TYPED_TEST_SUITE_P(FaultsTest, NakOnEveryAttemptGives903AfterThreeFrames,
                            SilenceGives904AfterTheTimeOutWithoutRetries,
                            GarbageAroundAndInsideAnAnswer, GarbageWhileIdleIsDropped,
                            SplitAnswerFailsWith904, LateAnswerIsNotTakenByTheNextQuery,
                            CardReportArrivesAfterASpoiltFrame, CardReportWhileAQueryWaits,
                            CommandCalledWhileAReportArrives, ReportArrivingAsACommandTimesOut,
                            HangUpDuringACommand, HangUpWhileIdle, KilledHolderFreesThePort);

}  // namespace xfaults
