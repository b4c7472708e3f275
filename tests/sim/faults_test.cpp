// Injected faults: NAK, silence, garbage, a wrong block check, a frame split by a pause, and the
// line hung up and back.
#include "sim_fixture.h"

namespace simtest {
namespace {

using FaultsTest = SimTest;

TEST_F(FaultsTest, NakAndSilenceCountFrames) {
  start();
  reader->nak_next(2);
  expect_exchanges({{"SS", "<NAK>"}, {"SS", "<NAK>"}, {"SS", "SS0"}});
  reader->ignore_next(1);
  host->send_text("SS");
  EXPECT_EQ(host->answer(300ms), "");
  EXPECT_EQ(host->ask("SS"), "SS0");
}

TEST_F(FaultsTest, GarbageGoesOutAsItIs) {
  start();
  reader->send_garbage({0x41, 0xFF, 0x00});
  EXPECT_EQ(host->read(), (Bytes{0x41, 0xFF, 0x00}));
}

TEST_F(FaultsTest, BadBlockCheckSpoilsOneFrame) {
  start();
  reader->bad_bcc_next();
  EXPECT_EQ(host->ask("SS").substr(0, 5), "<BAD>");
  EXPECT_EQ(host->ask("SS"), "SS0");

  EXPECT_EQ(host->ask("SN1420"), "SN1420000000");  // hexadecimal block check after the reset
  EXPECT_EQ(host->ask("PR"), "<ACK>");
  host->format.set_bcc(2);
  reader->bad_bcc_next();
  EXPECT_EQ(host->ask("SS").substr(0, 5), "<BAD>");
  EXPECT_EQ(host->ask("SS"), "SS0");
}

TEST_F(FaultsTest, SplitFrameComesInTwoPartsWithThePauseBetween) {
  start();
  reader->split_next(200ms);
  host->send_text("VR");
  const Bytes first = host->read(1500ms, 100ms);
  const Bytes second = host->read(500ms, 100ms);
  ASSERT_FALSE(first.empty());
  ASSERT_FALSE(second.empty());
  Bytes whole = first;
  whole.insert(whole.end(), second.begin(), second.end());
  EXPECT_EQ(host->decode(whole), "VRXSIM3 1.00240601");
}

TEST_F(FaultsTest, HangUpAndComeBackUnderTheSameLink) {
  start();
  const std::string before = reader->slave_name();
  reader->hang_up(300ms);
  EXPECT_FALSE(reader->connected());
  pollfd p{host->fd(), POLLIN, 0};
  ASSERT_EQ(::poll(&p, 1, 500), 1);
  EXPECT_NE(p.revents & (POLLHUP | POLLERR), 0);

  for (int i = 0; i < 100 && !reader->connected(); ++i) std::this_thread::sleep_for(10ms);
  ASSERT_TRUE(reader->connected());
  EXPECT_NE(reader->slave_name(), before);
  host = std::make_unique<Host>(reader->link_path());
  EXPECT_EQ(host->ask("SS"), "SS0");

  reader->hang_up();
  for (int i = 0; i < 50; ++i) std::this_thread::sleep_for(10ms);
  EXPECT_FALSE(reader->connected());
  reader->reconnect();
  EXPECT_TRUE(reader->connected());
  host = std::make_unique<Host>(reader->link_path());
  EXPECT_EQ(host->ask("SV"), "SV2");
}

}  // namespace
}  // namespace simtest
