// Opening, closing, line settings and frame format, and the device going away.
#include <gtest/gtest.h>

#include <future>
#include <thread>

#include "link_fixture.h"
#include "result.h"

namespace xtest {
namespace {

TEST(PortOpen, ArgumentsAndDevices) {
  PtyReader reader{7};
  const devlink::LinkProfile profile = test_profile();
  devlink::Device device{profile};
  struct Case {
    const char* port;
    int result;
  } cases[] = {
      {nullptr, devlink::kNullArg}, {"", devlink::kBadLength}, {"1234", devlink::kBadLength},
      {"7a", devlink::kBadValue},   {"-7", devlink::kBadValue}, {"99", 9002},
      {"0", 9002},
  };
  for (const auto& c : cases) EXPECT_EQ(device.port_open(c.port), c.result) << (c.port ? c.port : "null");
  EXPECT_EQ(device.port_close(), devlink::kNoPort);
  EXPECT_EQ(device.port_open("007"), 0);
  EXPECT_EQ(device.port_open("7"), devlink::kPortBusy);
  EXPECT_EQ(device.port_close(), 0);
  EXPECT_EQ(device.port_close(), devlink::kNoPort);
}

TEST(PortOpen, EverythingButOpenNeedsAnOpenPort) {
  const devlink::LinkProfile profile = test_profile();
  devlink::Device device{profile};
  std::int32_t v = 0;
  char buf[8];
  EXPECT_EQ(device.comm_settings("1", "1", "1", "0"), -1);
  EXPECT_EQ(device.comm_format("1", "4", "1", "0", "00", "00", "00"), -1);
  EXPECT_EQ(device.modem_line(0x20), -1);
  EXPECT_EQ(device.drive_rts(true), -1);
  EXPECT_EQ(device.get_status(&v), -1);
  EXPECT_EQ(device.get_reports(false, &v, &v, &v), -1);
  EXPECT_EQ(device.get_track(1, &v, buf), -1);
}

TEST_F(LinkTest, LineSettingsChecksInOrder) {
  struct Case {
    const char *baud, *bits, *parity, *stop;
    int result;
  } cases[] = {
      {"3", "1", "0", "0", 0},   {"4", "1", "0", "0", 902},      {"12", "1", "0", "0", 901},
      {"1", "1", nullptr, "0", 900}, {"1", "2", "0", "0", 902}, {"1", "1", "3", "0", 902},
      {"1", "1", "0", "2", 902}, {"1", "1", "0", "", 901},       {"0", "0", "2", "1", 0},
  };
  for (const auto& c : cases)
    EXPECT_EQ(device.comm_settings(c.baud, c.bits, c.parity, c.stop), c.result) << c.baud;
}

TEST_F(LinkTest, FrameFormatArgumentsAreCheckedBeforeAnythingChanges) {
  EXPECT_EQ(device.comm_format(nullptr, "4", "1", "0", "00", "00", "00"), 900);
  EXPECT_EQ(device.comm_format("", "4", "1", "0", "00", "00", "00"), 901);
  EXPECT_EQ(device.comm_format("2", "4", "1", "0", "1B", "00", "1"), 901);
  EXPECT_EQ(device.comm_format("2", "4", "1", "0", "1b", "00", "00"), 902);
  // Nothing changed: the next frame is still STX ... ETX BCC.
  reader.answer_with([](const Bytes&) { return Bytes{0x06}; });
  EXPECT_EQ(send("A"), 0);
  EXPECT_EQ(reader.frames_seen().at(0), (Bytes{0x02, 'A', 0x03, 0x42}));
}

TEST_F(LinkTest, FrameFormatAppliesToSentAndReceivedFramesAndOpenResetsIt) {
  ASSERT_EQ(device.comm_format("2", "3", "2", "1", "1B", "00", "7C"), 0);
  devlink::FrameFormat f;
  f.set_start(2, 0x1B);
  f.set_end(3, 0);
  f.set_bcc(2);
  reader.answer_with([&](const Bytes&) { return framed("VR1.23    20261210", f); });
  char out[32] = {};
  EXPECT_EQ(send("A", 36, out), 0);
  EXPECT_EQ(reader.frames_seen().at(0), (Bytes{0x1B, 'A', 0x0D, 0x0A, '4', '6', 0x0D}));
  EXPECT_EQ(std::string(out), "1.23    20261210");
  reader.stop_answering();
  device.port_close();
  ASSERT_EQ(device.port_open(reader.port().c_str()), 0);
  reader.answer_with([](const Bytes&) { return Bytes{0x06}; });
  EXPECT_EQ(send("A"), 0);
  EXPECT_EQ(reader.frames_seen().at(0), (Bytes{0x02, 'A', 0x03, 0x42}));
}

TEST_F(LinkTest, PseudoTerminalModemLinesReadOffAndDriveWithoutError) {
  EXPECT_EQ(device.modem_line(0x020), 0);
  EXPECT_EQ(device.modem_line(0x100), 0);
  EXPECT_EQ(device.drive_rts(true), 0);
  EXPECT_EQ(device.drive_rts(false), 0);
}

TEST_F(LinkTest, HangUpDuringACommandEndsItAndTheDeviceCanComeBack) {
  const auto t0 = std::chrono::steady_clock::now();
  auto command = std::async(std::launch::async, [this] { return send("VR"); });
  EXPECT_FALSE(reader.read_frame().empty());
  reader.hang_up();
  const int r = command.get();
  EXPECT_TRUE(r == -1 || r == devlink::kTimeout) << r;
  EXPECT_LE(std::chrono::steady_clock::now() - t0, profile.answer_timeout + 200ms);
  std::this_thread::sleep_for(100ms);
  EXPECT_EQ(send("VR"), -1);  // the line is gone
  const auto t1 = std::chrono::steady_clock::now();
  EXPECT_EQ(device.port_close(), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - t1, 500ms);
  reader.reconnect();
  ASSERT_EQ(device.port_open(reader.port().c_str()), 0);
  reader.answer_with([](const Bytes&) { return Bytes{0x06}; });
  EXPECT_EQ(send("VR"), 0);
}

TEST_F(LinkTest, HangUpWhileIdleLeavesTheProcessQuiet) {
  reader.hang_up();
  std::this_thread::sleep_for(100ms);
  timespec a{}, b{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &a);
  std::this_thread::sleep_for(500ms);
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &b);
  const double used = (b.tv_sec - a.tv_sec) + (b.tv_nsec - a.tv_nsec) / 1e9;
  EXPECT_LT(used, 0.05);  // a spinning reader would use the whole half second
  EXPECT_EQ(device.port_close(), 0);
}

}  // namespace
}  // namespace xtest
