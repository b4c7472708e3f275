// Reports that arrive unasked: acknowledged, stored, and kept apart from the commands' answers.
#include <gtest/gtest.h>

#include <thread>

#include "link_fixture.h"

namespace xtest {
namespace {

TEST_F(LinkTest, EventWhileIdleIsAcknowledgedAndStored) {
  reader.send(framed("AE12"));
  EXPECT_EQ(reader.read_frame(1000ms), Bytes{0x06});
  EXPECT_EQ(status() & 4, 4);
  std::int32_t e[3] = {-1, -1, -1};
  EXPECT_EQ(device.get_reports(false, &e[0], &e[1], &e[2]), 0);
  EXPECT_EQ(e[0], 12);
  EXPECT_EQ(e[1], 0);
  EXPECT_EQ(status() & 4, 0);
  // The next command is unaffected.
  reader.answer_with([](const Bytes&) { return Bytes{0x06}; });
  EXPECT_EQ(send("VR"), 0);
}

TEST_F(LinkTest, ReportAcknowledgementInBccMode2EndsWithCarriageReturn) {
  ASSERT_EQ(device.comm_format("1", "4", "2", "0", "00", "00", "00"), 0);
  devlink::FrameFormat f;
  f.set_bcc(2);
  reader.send(framed("CR0", f));
  EXPECT_EQ(reader.read_frame(1000ms), (Bytes{0x06, 0x0D}));
}

TEST_F(LinkTest, BadFrameWhileIdleIsDroppedAndTheNextReportArrives) {
  reader.send(Bytes{0x02, 'A', 'E', '1', '2', 0x03, 0x00});  // wrong BCC
  std::this_thread::sleep_for(200ms);
  reader.send(framed("DH34"));
  EXPECT_EQ(reader.read_frame(1000ms), Bytes{0x06});
  std::int32_t e[3] = {};
  device.get_reports(true, &e[0], &e[1], &e[2]);
  EXPECT_EQ(e[0], 34);
}

TEST_F(LinkTest, ReportWhileAQueryWaitsIsStoredAndTheQueryGetsItsOwnAnswer) {
  reader.answer_with([&](const Bytes& frame) -> Bytes {
    if (frame == Bytes{0x06}) return {};  // the library's acknowledgement
    reader.send(framed("AE07"));
    std::this_thread::sleep_for(150ms);
    return framed("VR1.23    20261210");
  });
  char out[32] = {};
  EXPECT_EQ(send("VR", 36, out), 0);
  EXPECT_EQ(std::string(out), "1.23    20261210");
  std::this_thread::sleep_for(50ms);
  reader.stop_answering();
  const auto seen = reader.frames_seen();
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[1], Bytes{0x06});
  std::int32_t e[3] = {};
  device.get_reports(false, &e[0], &e[1], &e[2]);
  EXPECT_EQ(e[0], 7);
}

TEST_F(LinkTest, CardReportAnswersAWaitingRead) {
  reader.answer_with([](const Bytes& frame) -> Bytes {
    if (frame == Bytes{0x06}) return {};
    return framed("CR0");
  });
  EXPECT_EQ(send("CRC", 1), 0);
  EXPECT_EQ(status() & 1, 1);
}

TEST_F(LinkTest, AFourthEventIsNotReported) {
  for (const char* r : {"AE01", "AE02", "AE03", "AE04"}) {
    reader.send(framed(r));
    ASSERT_EQ(reader.read_frame(1000ms), Bytes{0x06});
  }
  std::int32_t e[3] = {};
  device.get_reports(false, &e[0], &e[1], &e[2]);
  EXPECT_EQ(e[0], 1);
  EXPECT_EQ(e[1], 2);
  EXPECT_EQ(e[2], 3);
}

TEST_F(LinkTest, EventQueryReturnsWhileAFrameIsStillArriving) {
  // A frame that never ends: the query waits a bounded time only.
  std::atomic<bool> stop{false};
  std::thread drip([&] {
    while (!stop) {
      reader.send("x");
      std::this_thread::sleep_for(50ms);
    }
  });
  std::int32_t e[3] = {};
  const auto t0 = std::chrono::steady_clock::now();
  EXPECT_EQ(device.get_reports(false, &e[0], &e[1], &e[2]), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - t0, 2s);
  stop = true;
  drip.join();
}

}  // namespace
}  // namespace xtest
