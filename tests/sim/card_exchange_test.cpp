// Read and write commands over the line: ACK at once, the report when a card comes, laid out for
// the model in force, sent again until the host acknowledges it.
#include "sim_fixture.h"

namespace simtest {
namespace {

using CardExchangeTest = SimTest;
using xsim::Card;
using xsim::Track;

Card abc_123_xyz() {
  Card c;
  c.tracks = {Track::text("ABC"), Track::text("123"), Track::text("XYZ"), Track::none()};
  return c;
}

TEST_F(CardExchangeTest, ReadWaitsForTheCardAndResendsUntilAcknowledged) {
  start();
  EXPECT_EQ(host->ask("CRC"), "<ACK>");
  EXPECT_EQ(host->answer(300ms), "");  // no card yet
  reader->present_card(abc_123_xyz());
  EXPECT_EQ(host->answer(),
            "CRC0ABC\x1F"
            "0123\x1F"
            "0XYZ");
  // Not acknowledged: the same report comes again after the reader's wait.
  EXPECT_EQ(host->answer(),
            "CRC0ABC\x1F"
            "0123\x1F"
            "0XYZ");
  host->ack();
  EXPECT_EQ(host->answer(700ms), "");
  EXPECT_TRUE(reader->wait_idle(1s));
  EXPECT_EQ(reader->acknowledged_reports(), 1);
}

TEST_F(CardExchangeTest, CardPresentedFirstIsReportedAfterTheAck) {
  start();
  reader->set_model(3);
  reader->present_card(abc_123_xyz());
  host->send_text("CRA01");
  EXPECT_EQ(host->decode(host->read(1500ms, 40ms)), "<ACK>");  // a frame apart from the report
  EXPECT_EQ(host->answer(),
            "CRA\x1F"
            "0123\x1F");
  host->ack();
  EXPECT_TRUE(reader->wait_idle(1s));
  EXPECT_EQ(reader->acknowledged_reports(), 1);
}

TEST_F(CardExchangeTest, NakBringsTheReportAgainAndSilenceGivesItUp) {
  start();
  reader->present_card(abc_123_xyz());
  ASSERT_EQ(host->ask("CRF101"), "<ACK>");
  const std::string report = host->answer();
  EXPECT_EQ(report,
            "CRF0ABC\x1F"
            "0123\x1F"
            "0XYZ");
  host->send({devlink::kNak});
  EXPECT_EQ(host->answer(300ms), report);  // at once, not after the wait
  EXPECT_EQ(host->answer(), report);       // third and last send
  EXPECT_EQ(host->answer(800ms), "");
  EXPECT_EQ(reader->abandoned_reports(), 1);
  EXPECT_EQ(reader->acknowledged_reports(), 0);
}

TEST_F(CardExchangeTest, CommandDuringTheAckWaitIsAnsweredAfterTheAck) {
  xsim::Options o = test_options();
  o.timing.ack_timeout = 5s;
  start(o);
  reader->present_card(abc_123_xyz());
  ASSERT_EQ(host->ask("CRC"), "<ACK>");
  ASSERT_FALSE(host->answer().empty());
  host->send_text("SS");
  EXPECT_EQ(host->answer(300ms), "");  // held back
  host->ack();
  EXPECT_EQ(host->answer(), "SS0");
}

TEST_F(CardExchangeTest, ProhibitionCancelsTheRead) {
  start();
  expect_exchanges({{"CRC", "<ACK>"}, {"PSC", "PSC010000000000"}, {"PP", "<ACK>"}});
  reader->present_card(abc_123_xyz());
  EXPECT_EQ(host->answer(300ms), "");
  EXPECT_EQ(host->ask("PSC"), "PSC100000000000");  // the card waits for the next read
}

TEST_F(CardExchangeTest, WriteReportsPerTrackResults) {
  start();
  EXPECT_EQ(host->ask("CWA\x1F"
                      "5678\x1F"),
            "<ACK>");
  Card blank;
  blank.tracks[1] = Track::error(4);
  reader->present_card(blank);
  EXPECT_EQ(host->answer(),
            "CWA\x1F"
            "4\x1F"
            "0");
  host->ack();
  EXPECT_TRUE(reader->wait_idle(1s));
  const auto written = reader->with_state([](const xsim::ReaderState& s) { return s.written; });
  EXPECT_FALSE(written[0]);
  EXPECT_EQ(written[1], "5678");
}

TEST_F(CardExchangeTest, Xerv1ReportsUnderItsLetters) {
  start(test_options(xsim::Protocol::Xerv1));
  reader->present_card(abc_123_xyz());
  ASSERT_EQ(host->ask("113"), "<ACK>");
  EXPECT_EQ(host->answer(),
            "A0ABC\x1F"
            "0123\x1F"
            "0XYZ");
  host->ack();
  reader->set_model(102);
  reader->present_card(Card{});
  ASSERT_EQ(host->ask("4ABC"), "<ACK>");
  EXPECT_EQ(host->answer(), "D0");
  host->ack();
  EXPECT_TRUE(reader->wait_idle(1s));
  EXPECT_EQ(reader->acknowledged_reports(), 2);
  expect_exchanges({{"14", "<DLE>"}, {"111", "<DLE>"}, {"1123", "<ACK>"}});
}

TEST_F(CardExchangeTest, AutoCardFollowsEveryRead) {
  xsim::Options o = test_options();
  o.timing.auto_card = 100ms;
  start(o);
  ASSERT_EQ(host->ask("CRC"), "<ACK>");
  const std::string report = host->answer();
  EXPECT_EQ(report.substr(0, 4), "CRC0");
  EXPECT_NE(report.find(xsim::sample_card().tracks[1].data), std::string::npos);
}

TEST_F(CardExchangeTest, EventsAndErrorsAreReportsToo) {
  start();
  EXPECT_TRUE(reader->send_event(12));
  EXPECT_EQ(host->answer(), "AE12");
  host->ack();
  EXPECT_TRUE(reader->send_error(7));
  EXPECT_EQ(host->answer(), "DH07");
  host->ack();
  EXPECT_TRUE(reader->wait_idle(1s));
  EXPECT_EQ(reader->acknowledged_reports(), 2);
  reader->switch_protocol(xsim::Protocol::Xerv1);
  EXPECT_FALSE(reader->send_event(12));
}

TEST_F(CardExchangeTest, IcCardAnswersActivationAndBlocks) {
  start();
  EXPECT_EQ(host->ask("IN"), "NG005");
  reader->insert_ic({{0x3B, 0x00}, {0x90, 0x00}});
  EXPECT_EQ(host->ask(std::string("IC\0\x01\x80", 5)), "NG005");  // not activated
  EXPECT_EQ(host->ask("IN"), std::string("ID\0\x02\x3B\0", 6));
  EXPECT_EQ(host->ask(std::string("IC\0\x02\x00\xA4", 6)), std::string("ID\0\x02\x90\0", 6));
  EXPECT_EQ(host->ask(std::string("IP\0\x01\x03", 5)), std::string("IP\0\x02\x90\0", 6));
  EXPECT_EQ(host->ask(std::string("IP\0\x05\x03", 5)), "NG002");  // count and block disagree
  EXPECT_EQ(host->ask("IE"), "<ACK>");
  EXPECT_EQ(host->ask(std::string("IP\0\x01\x03", 5)), "NG005");
  const auto blocks = reader->with_state([](const xsim::ReaderState& s) { return s.ic.blocks; });
  ASSERT_EQ(blocks.size(), 2u);
  EXPECT_EQ(blocks[0], (Bytes{0x00, 0xA4}));
}

}  // namespace
}  // namespace simtest
