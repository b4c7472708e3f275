// The command transaction against a scripted reader: wire bytes, answers, retries, time-outs.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "link_fixture.h"
#include "result.h"

namespace xtest {
namespace {

using Clock = std::chrono::steady_clock;

TEST_F(LinkTest, SendsTheDefaultFrameAndTakesAnAck) {
  reader.answer_with([](const Bytes&) { return Bytes{0x06}; });
  EXPECT_EQ(send("VR"), 0);
  ASSERT_EQ(reader.frames_seen().size(), 1u);
  EXPECT_EQ(reader.frames_seen()[0], (Bytes{0x02, 'V', 'R', 0x03, 0x07}));
}

struct AnswerCase {
  const char* name;
  Bytes answer;
  int result;
  std::string out;
};

TEST_F(LinkTest, GenericAnswers) {
  devlink::FrameFormat bcc2;
  bcc2.set_bcc(2);
  const AnswerCase cases[] = {
      {"ACK", {0x06}, 0, ""},
      {"DLE counts as success", {0x10}, 0, ""},
      {"NG012", framed("NG012"), 12, ""},
      {"NG short of its digits", framed("NG1"), devlink::kUnknownReply, ""},
      {"unknown letters", framed("ZZ12"), devlink::kUnknownReply, ""},
      {"unknown control byte", {0x41}, devlink::kUnknownReply, ""},
      {"decoded data", framed("VR1.23    20261210"), 0, "1.23    20261210"},
      {"data shorter than its decoding", framed("VR1.23"), devlink::kUnknownReply, "1.23"},
      {"wrong BCC", {0x02, 'V', 'R', 0x03, 0x08}, devlink::kTimeout, ""},
      {"no start code", {'V', 'R', 0x03, 0x07}, devlink::kTimeout, ""},
      {"ACK CR outside BCC mode 2", {0x06, 0x0D}, devlink::kTimeout, ""},
  };
  for (const auto& c : cases) {
    reader.answer_with([&](const Bytes&) { return c.answer; });
    char out[32] = "untouched";
    EXPECT_EQ(send("VR", 36, out), c.result) << c.name;
    if (!c.out.empty()) {
      EXPECT_EQ(std::string(out), c.out) << c.name;
    }
    reader.stop_answering();
  }
}

TEST_F(LinkTest, AckWithCarriageReturnInBccMode2) {
  ASSERT_EQ(device.comm_format("1", "4", "2", "0", "00", "00", "00"), 0);
  reader.answer_with([](const Bytes&) { return Bytes{0x06, 0x0D}; });
  EXPECT_EQ(send("A"), 0);
  EXPECT_EQ(reader.frames_seen().at(0), (Bytes{0x02, 'A', 0x03, '4', '2', 0x0D}));
}

TEST_F(LinkTest, NakThreeTimesGives903AfterExactlyThreeFrames) {
  reader.answer_with([](const Bytes&) { return Bytes{0x15}; });
  EXPECT_EQ(send("VR"), devlink::kNakThrice);
  reader.stop_answering();
  EXPECT_EQ(reader.frames_seen().size(), 3u);
  EXPECT_EQ(device.link().last_result(), devlink::kNakThrice);
}

TEST_F(LinkTest, NakThenAnswerSucceedsOnTheRetry) {
  std::atomic<int> n{0};
  reader.answer_with([&](const Bytes&) { return ++n == 1 ? Bytes{0x15} : Bytes{0x06}; });
  EXPECT_EQ(send("VR"), 0);
  EXPECT_EQ(reader.frames_seen().size(), 2u);
}

TEST_F(LinkTest, SilenceTimesOutAfterTheAnswerTimeOut) {
  const auto t0 = Clock::now();
  EXPECT_EQ(send("VR"), devlink::kTimeout);
  const auto took = Clock::now() - t0;
  EXPECT_GE(took, profile.answer_timeout);
  EXPECT_LT(took, profile.answer_timeout * 3);
}

TEST_F(LinkTest, LateAnswerOfATimedOutAttemptIsNotTheNextCommandsAnswer) {
  EXPECT_EQ(send("VR"), devlink::kTimeout);
  reader.read_frame();
  reader.send(framed("VRlate-answer-0001"));  // arrives unasked now
  std::this_thread::sleep_for(200ms);
  reader.answer_with([](const Bytes&) { return framed("VRfresh-answer-002"); });
  char out[32] = {};
  EXPECT_EQ(send("VR", 36, out), 0);
  EXPECT_EQ(std::string(out), "fresh-answer-002");
}

TEST_F(LinkTest, FrameSplitByMoreThanTheSilenceFailsWhileACommandWaits) {
  reader.answer_with([&](const Bytes&) {
    const Bytes f = framed("VR1.23    20261210");
    reader.send(Bytes(f.begin(), f.begin() + 5));
    std::this_thread::sleep_for(150ms);
    return Bytes(f.begin() + 5, f.end());
  });
  EXPECT_EQ(send("VR"), devlink::kTimeout);
}

TEST_F(LinkTest, OversizedFrameFailsItsCheckAndTheLinkRecovers) {
  reader.answer_with([](const Bytes&) { return framed(std::string(500, 'Z')); });
  EXPECT_EQ(send("VR"), devlink::kTimeout);
  reader.answer_with([](const Bytes&) { return Bytes{0x06}; });
  EXPECT_EQ(send("VR"), 0);
}

TEST_F(LinkTest, ControlAnswerWithTwoBytesWhileResetWaitsInTheOtherProfile) {
  device.port_close();
  profile = test_profile(true);
  ASSERT_EQ(device.port_open(reader.port().c_str()), 0);
  reader.answer_with([](const Bytes&) { return Bytes{0x06, 0x55}; });
  EXPECT_EQ(send("<", 9), 0);
  EXPECT_EQ(send("0", 8), devlink::kTimeout);  // any other request: two bytes are no answer
  reader.answer_with([](const Bytes&) { return Bytes{0x10}; });
  EXPECT_EQ(send("0", 8), devlink::kDleAnswer);
}

}  // namespace
}  // namespace xtest
