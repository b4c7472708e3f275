// The reader's link: frames checked with its own format, NAK for a frame that fails, a new frame
// format taken up at the reset, and the protocol change.
#include "sim_fixture.h"

namespace simtest {
namespace {

using LinkTest = SimTest;

TEST_F(LinkTest, FrameThatFailsItsCheckIsAnsweredNak) {
  start();
  struct Case {
    const char* name;
    Bytes raw;
  };
  const Case cases[] = {
      {"wrong BCC", {0x02, 'S', 'S', 0x03, 0x00}},
      {"no end code", {0x02, 'S', 'S', 'X', 0x01}},
      {"no start code", {'S', 'S', 0x03, 0x03}},
      {"one stray byte", {'S'}},
  };
  for (const Case& c : cases) {
    host->send(c.raw);
    EXPECT_EQ(host->answer(), "<NAK>") << c.name;
  }
  EXPECT_EQ(host->ask("SS"), "SS0");
  const auto frames = reader->received();
  ASSERT_EQ(frames.size(), 5u);
  EXPECT_EQ(frames[0].kind, xsim::HostFrame::Kind::Bad);
  EXPECT_EQ(frames[4].kind, xsim::HostFrame::Kind::Command);
  EXPECT_EQ(frames[4].text, "SS");
}

TEST_F(LinkTest, EndlessStreamIsHeldToABoundAndRefused) {
  start();
  Bytes flood(20000, 'A');
  flood.front() = devlink::kStx;
  std::size_t done = 0;
  while (done < flood.size()) {
    const ssize_t n = ::write(host->fd(), flood.data() + done, flood.size() - done);
    if (n > 0) done += static_cast<std::size_t>(n);
    pollfd p{host->fd(), POLLOUT, 0};
    ::poll(&p, 1, 100);
  }
  EXPECT_EQ(host->answer(), "<NAK>");
  EXPECT_EQ(host->ask("SS"), "SS0");
}

TEST_F(LinkTest, AckInFrontOfACommandIsTakenApart) {
  start();
  Bytes b{devlink::kAck};
  devlink::Frame f;
  devlink::build_frame(host->format, bytes("SV"), f);
  b.insert(b.end(), f.bytes.begin(), f.bytes.begin() + static_cast<long>(f.length));
  host->send(b);
  EXPECT_EQ(host->answer(), "SV2");
  const auto frames = reader->received();
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].kind, xsim::HostFrame::Kind::Control);
}

TEST_F(LinkTest, NewFrameFormatTakesEffectAtTheReset) {
  start();
  // Start STX, end CR LF, BCC as hexadecimal digits and CR, user separator 1E.
  EXPECT_EQ(host->ask("SN132100001E"), "SN132100001E");
  EXPECT_EQ(host->ask("SS"), "SS0");  // still the old format
  EXPECT_EQ(host->ask("PR"), "<ACK>");

  EXPECT_EQ(host->ask("SS"), "<NAK>");  // the old format fails the reader's check now
  host->format.set_end(3, 0);
  host->format.set_bcc(2);
  host->format.set_separator(1, 0x1E);
  host->send_text("SS");
  const Bytes raw = host->read();
  EXPECT_EQ(host->decode(raw), "SS0");
  ASSERT_GE(raw.size(), 5u);
  EXPECT_EQ(raw.back(), devlink::kCr);
  EXPECT_EQ(reader->frame_format().separator, 0x1E);
  EXPECT_EQ(host->ask("PP"), "<ACK>");
  EXPECT_EQ(host->read(200ms).size(), 0u);
}

TEST_F(LinkTest, ResetAnswersInTheOldFormat) {
  start();
  EXPECT_EQ(host->ask("SN1420"), "SN1420000000");
  host->send_text("PR");
  EXPECT_EQ(host->read(), Bytes{devlink::kAck});  // BCC mode 1 still: no CR after the ACK
  host->format.set_bcc(2);
  host->send_text("PP");
  EXPECT_EQ(host->read(), (Bytes{devlink::kAck, devlink::kCr}));
}

TEST_F(LinkTest, ProtocolChangeSwitchesTheCommandSetAndTheEepromByte) {
  start();
  EXPECT_EQ(reader->eeprom()[xsim::kProtocolByte], 0x00);
  EXPECT_EQ(host->ask("PR1"), "<ACK>");
  EXPECT_EQ(reader->protocol(), xsim::Protocol::Xerv1);
  EXPECT_EQ(reader->eeprom()[xsim::kProtocolByte], xsim::kProtocolXerv1);
  expect_exchanges({{"SS", "<DLE>"}, {"h", "h0"}, {"<1", "<DLE>"}, {"<", "<ACK>"}});
  EXPECT_EQ(reader->protocol(), xsim::Protocol::Xerv1);

  EXPECT_EQ(host->ask("<0"), "<ACK>");
  EXPECT_EQ(reader->protocol(), xsim::Protocol::Xerv3);
  EXPECT_EQ(reader->eeprom()[xsim::kProtocolByte], xsim::kProtocolXerv3);
  expect_exchanges({{"h", "NG001"}, {"SS", "SS0"}, {"PR2", "NG003"}});
}

TEST_F(LinkTest, ResetClosesTheEepromAndDropsTheWaitingRead) {
  start();
  ASSERT_EQ(host->ask("EO" + xsim::default_access_code(xsim::Protocol::Xerv3)), "<ACK>");
  expect_exchanges({{"CRC", "<ACK>"}, {"PR", "<ACK>"}, {"ER2C", "NG004"}});
  reader->present_card(xsim::sample_card());
  EXPECT_EQ(host->answer(400ms), "");  // no read waits: the card is not reported
}

}  // namespace
}  // namespace simtest
