// libxerv3com under the faults of the virtual reader: the cases both libraries share, and the
// event and error reports that only an XERV3 reader sends.
#include "xerv/xerv3com.h"

// The shared cases need the library's header first.
#include "faults_common.h"

namespace xfaults {

struct Xerv3com {
  static constexpr xsim::Protocol kProtocol = xsim::Protocol::Xerv3;
  static constexpr milliseconds kTimeout{3000};
  static int read_card() { return MagCard_Read("C", nullptr); }
};

INSTANTIATE_TYPED_TEST_SUITE_P(Xerv3com, FaultsTest, Xerv3com);

namespace {

using Faults3 = FaultsTest<Xerv3com>;

// Reports that come while a command waits are stored and acknowledged; they do not end the wait.
TEST_F(Faults3, ReportsDuringAnUnansweredCommand) {
  const Call c = version_while([&] {
    reader.send_event(12);
    reader.send_error(34);
  });
  EXPECT_EQ(c.result, 904);
  EXPECT_GE(ms(c.took), Xerv3com::kTimeout.count() - 20);
  EXPECT_EQ(reader.acknowledged_reports(), 2);
  std::int32_t e[3] = {-1, -1, -1};
  ASSERT_EQ(GetEvent_Status(&e[0], &e[1], &e[2]), 0);
  EXPECT_EQ(std::vector<std::int32_t>(e, e + 3), (std::vector<std::int32_t>{12, 0, 0}));
  ASSERT_EQ(GetError_Status(&e[0], &e[1], &e[2]), 0);
  EXPECT_EQ(std::vector<std::int32_t>(e, e + 3), (std::vector<std::int32_t>{34, 0, 0}));
  expect_works();
}

// An event spoilt on the line comes again and is stored once.
TEST_F(Faults3, SpoiltEventIsStoredOnce) {
  reader.bad_bcc_next();
  reader.send_event(7);
  ASSERT_NE(wait_for_status(4, 3s) & 4, 0);
  EXPECT_TRUE(reader.wait_idle(2s));
  std::int32_t e[3] = {-1, -1, -1};
  ASSERT_EQ(GetEvent_Status(&e[0], &e[1], &e[2]), 0);
  EXPECT_EQ(std::vector<std::int32_t>(e, e + 3), (std::vector<std::int32_t>{7, 0, 0}));
  EXPECT_EQ(reader.abandoned_reports(), 0);
}

// A failed frame stays pending until the waiting command's clean-up; the event query waits for
// it only a bounded while, from another thread than the command's.
TEST_F(Faults3, EventQueryDoesNotWaitForAFailedFrame) {
  Clock::duration query_took{};
  const Call c = version_while([&] {
    reader.send_garbage(junk_inside());
    std::this_thread::sleep_for(200ms);  // the frame has failed its check by now
    std::int32_t e[3];
    const auto start = Clock::now();
    EXPECT_EQ(GetEvent_Status(&e[0], &e[1], &e[2]), 0);
    query_took = Clock::now() - start;
  });
  EXPECT_EQ(c.result, 904);
  EXPECT_LT(ms(query_took), 1000);
  expect_works();
}

// Reads sent while the card report of an earlier read is due: the reader sends the report first,
// which the waiting read takes as its answer, and acknowledges that read afterwards, right before
// it acknowledges the next one. Both ACKs reach the library as one unit while the next read
// waits; that read takes the last of them and every read succeeds.
TEST_F(Faults3, ReadsWhileCardReportsArePending) {
  set_model_101();
  for (int i = 0; i < 3; ++i) reader.present_card(test_card());
  for (int i = 0; i < 6; ++i) EXPECT_EQ(MagCard_Read("C", nullptr), 0) << "read " << i;
  EXPECT_TRUE(reader.wait_idle(3s));
  EXPECT_EQ(reader.acknowledged_reports(), 3);
  EXPECT_EQ(reader.abandoned_reports(), 0);
  expect_test_card();
  expect_works();
}

}  // namespace
}  // namespace xfaults
