// Card reads and writes through libxerv3com against the virtual reader: for every connection model
// with a layout, the reader lays out a card's tracks and the library splits them back; the write
// result, the reader's own reports and the card commands around them.
#include <array>
#include <atomic>
#include <optional>
#include <string>

#include "reader3_fixture.h"
#include "sample_cards.h"

namespace reader3 {
namespace {

using namespace xtest::cards;

class Xerv3ModelRead : public Xerv3Test, public ::testing::WithParamInterface<ModelRow> {};

// The same model on both sides, a card with known tracks, and the tracks back exactly.
TEST_P(Xerv3ModelRead, TracksComeBackAsTheCardHoldsThem) {
  const ModelRow& row = GetParam();
  use_model(row.code);
  ASSERT_EQ(MagCard_Read("C", N), 0);
  EXPECT_EQ(last_command(), "CRC");
  reader->present_card(row.card);

  ASSERT_NE(wait_status(1) & 1, 0) << "no card data";
  const CardResult got = card_result();
  for (std::size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(got.r[k], row.results[k]) << "track " << k + 1;
    EXPECT_EQ(got.l[k], static_cast<int32_t>(row.data[k].size())) << "track " << k + 1;
  }
  const auto texts = track_texts();
  for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(texts[k], row.data[k]) << "track " << k + 1;
  int32_t status = -1;
  ASSERT_EQ(GetStatus(&status), 0);
  EXPECT_EQ(status & 1, 0);
  EXPECT_TRUE(reader->wait_idle(2s));
  EXPECT_EQ(reader->acknowledged_reports(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    EveryLayout, Xerv3ModelRead,
    ::testing::Values(
        // One whole track.
        ModelRow{0, {{t4, t2, t3, none}}, {0, kNone, kNone, kNone}, {d4, "", "", ""}},
        ModelRow{100, {{Track::error(3), none, none, none}}, {3, kNone, kNone, kNone}, {}},
        // Three fields, the first two may be missing.
        ModelRow{1, {{t1, t2, t3, none}}, {0, 0, 0, kNone}, {d1, d2, d3, ""}},
        ModelRow{101, {{none, Track::error(4), t3, none}}, {kNone, 4, 0, kNone}, {"", "", d3, ""}},
        ModelRow{300, {{t1, none, t3, none}}, {0, kNone, 0, kNone}, {d1, "", d3, ""}},
        ModelRow{400,
                 {{Track::error(2), t2, Track::error(8), none}},
                 {2, 0, 8, kNone},
                 {"", d2, "", ""}},
        // One track in its own field.
        ModelRow{2, {{t1, t2, t3, none}}, {0, kNone, kNone, kNone}, {d1, "", "", ""}},
        ModelRow{102, {{Track::error(7), t2, t3, none}}, {7, kNone, kNone, kNone}, {}},
        ModelRow{3, {{t1, t2, t3, none}}, {kNone, 0, kNone, kNone}, {"", d2, "", ""}},
        ModelRow{103, {{t1, Track::error(1), t3, none}}, {kNone, 1, kNone, kNone}, {}},
        ModelRow{4, {{t1, t2, t3, none}}, {kNone, kNone, 0, kNone}, {"", "", d3, ""}},
        ModelRow{104, {{t1, t2, Track::error(6), none}}, {kNone, kNone, 6, kNone}, {}},
        // Two tracks.
        ModelRow{5, {{t1, t2, none, none}}, {0, 0, kNone, kNone}, {d1, d2, "", ""}},
        ModelRow{5, {{none, t2, none, none}}, {kNone, 0, kNone, kNone}, {"", d2, "", ""}},
        ModelRow{6, {{none, t2, t3, none}}, {kNone, 0, 0, kNone}, {"", d2, d3, ""}},
        ModelRow{6, {{none, none, Track::error(5), none}}, {kNone, kNone, 5, kNone}, {}},
        // Three tracks and JIS II; without track 2 the report has three fields.
        ModelRow{7, {{t1, t2, t3, t4}}, {0, 0, 0, 0}, {d1, d2, d3, d4}},
        ModelRow{7, full, {0, 0, 0, 0}, {f1, f2, f3, f4}},
        ModelRow{105, {{t1, none, t3, t4}}, {0, kNone, 0, kNone}, {d1, "", d3, ""}}));

struct WriteRow {
  std::uint32_t code;
  const char* mode;
  const char* position;                               // null: MagCard_Write
  std::array<const char*, 3> texts;                   // track1..track3 for MagCard_Write
  Card card;                                          // what the card does with each track
  std::array<std::optional<std::string>, 3> on_card;  // what the reader took for each track
  std::array<int32_t, 4> results;
};

void PrintTo(const WriteRow& row, std::ostream* os) {
  *os << "model " << row.code << " mode " << row.mode;
}

class Xerv3ModelWrite : public Xerv3Test, public ::testing::WithParamInterface<WriteRow> {};

TEST_P(Xerv3ModelWrite, WriteResultComesBackPerTrack) {
  const WriteRow& row = GetParam();
  use_model(row.code);
  reader->present_card(row.card);
  if (row.position == nullptr) {
    ASSERT_EQ(MagCard_Write(row.mode, row.texts[0], row.texts[1], row.texts[2], 0), 0);
  } else {
    ASSERT_EQ(MagCard_Write_Eject_Position(row.mode, row.texts[0], row.texts[1], row.texts[2], 0,
                                           row.position),
              0);
  }

  ASSERT_NE(wait_status(2) & 2, 0) << "no write result";
  const CardResult got = card_result();
  for (std::size_t k = 0; k < 4; ++k) EXPECT_EQ(got.r[k], row.results[k]) << "track " << k + 1;
  const auto written = reader->with_state([](const xsim::ReaderState& s) { return s.written; });
  for (std::size_t k = 0; k < 3; ++k) EXPECT_EQ(written[k], row.on_card[k]) << "track " << k + 1;
  int32_t status = -1;
  ASSERT_EQ(GetStatus(&status), 0);
  EXPECT_EQ(status & 2, 0);
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, Xerv3ModelWrite,
    ::testing::Values(
        // Track 2 left empty: its field is missing in the command and in the result.
        WriteRow{101,
                 "A",
                 N,
                 {"TRACK ONE", "", "333"},
                 {{none, none, Track::error(6), none}},
                 {"TRACK ONE", std::nullopt, "333"},
                 {0, kNone, 6, kNone}},
        // The eject position comes before the track fields.
        WriteRow{3,
                 "K",
                 "12",
                 {N, "22222", N},
                 {{none, none, none, none}},
                 {std::nullopt, "22222"},
                 {kNone, 0, kNone, kNone}},
        WriteRow{100,
                 "B",
                 N,
                 {"JIS TEXT", N, N},
                 {{Track::error(2), none, none, none}},
                 {"JIS TEXT"},
                 {2, kNone, kNone, kNone}}));

// A report that fails the host's check is dropped without an answer; the reader sends it again
// and the data arrives.
TEST_F(Xerv3Test, CardReportWithBadBlockCheckComesAgain) {
  use_model(101);
  ASSERT_EQ(MagCard_Read("C", N), 0);
  reader->bad_bcc_next();
  reader->present_card(Card{{t1, t2, t3, none}});
  ASSERT_NE(wait_status(1) & 1, 0);
  EXPECT_EQ(card_result().r[1], 0);
  EXPECT_EQ(track_texts()[1], d2);
  EXPECT_TRUE(reader->wait_idle(2s));
  EXPECT_EQ(reader->acknowledged_reports(), 1);
  const auto sent = reader->sent();
  ASSERT_GE(sent.size(), 2u);
  EXPECT_EQ(sent[sent.size() - 2].size(), sent.back().size()) << "the same report twice";
}

// A host that polls for reports on one thread while another sends commands.
TEST_F(Xerv3Test, PollingThreadTakesReportsWhileCommandsRun) {
  use_model(101);
  std::atomic<bool> stop{false}, have_card{false};
  std::atomic<int32_t> event{0};
  std::string track3;  // read after the poller has ended
  std::thread poller([&] {
    while (!stop && (!have_card || event == 0)) {
      int32_t status = 0;
      EXPECT_EQ(GetStatus(&status), 0);
      if ((status & 1) != 0) {
        EXPECT_EQ(card_result().r[2], 0);
        track3 = track_texts()[2];
        have_card = true;
      }
      int32_t e[3] = {};
      if ((status & 4) != 0) {
        EXPECT_EQ(GetEvent_Status(&e[0], &e[1], &e[2]), 0);
        event = e[0];
      }
      std::this_thread::sleep_for(5ms);
    }
  });
  char first[17] = {};
  ASSERT_EQ(ProgVersion_Read(first), 0);
  ASSERT_EQ(MagCard_Read("C", N), 0);
  reader->present_card(Card{{t1, t2, t3, none}});
  ASSERT_TRUE(reader->send_event(21));
  // Commands back to back: the reader sends its reports while a command waits; each is stored
  // and acknowledged, and every command still gets its own answer.
  for (int i = 0; i < 30 && (!have_card || event == 0); ++i) {
    char version[17] = {};
    EXPECT_EQ(ProgVersion_Read(version), 0);
    EXPECT_STREQ(version, first);
  }
  stop = true;
  poller.join();
  EXPECT_EQ(track3, d3);
  EXPECT_EQ(event, 21);
}

TEST_F(Xerv3Test, EventAndErrorReports) {
  ASSERT_TRUE(reader->send_event(12));
  ASSERT_TRUE(reader->send_event(7));
  ASSERT_TRUE(reader->send_error(34));
  ASSERT_TRUE(reader->wait_idle(5s));
  EXPECT_EQ(reader->acknowledged_reports(), 3);
  int32_t status = 0;
  ASSERT_EQ(GetStatus(&status), 0);
  EXPECT_EQ(status, 4 | 8);

  int32_t e[3] = {-1, -1, -1};
  ASSERT_EQ(GetEvent_Status(&e[0], &e[1], &e[2]), 0);
  EXPECT_EQ(e[0], 12);
  EXPECT_EQ(e[1], 7);
  EXPECT_EQ(e[2], 0);
  ASSERT_EQ(GetError_Status(&e[0], &e[1], &e[2]), 0);
  EXPECT_EQ(e[0], 34);
  EXPECT_EQ(e[1], 0);
  ASSERT_EQ(GetStatus(&status), 0);
  EXPECT_EQ(status, 0);
}

TEST_F(Xerv3Test, VersionDipSwitchesAndStatus) {
  xsim::Options o = reader_options();
  o.version = "KV3-SIM 99240601";
  o.dip_switches = "10100101";
  start(o);
  char version[17] = {};
  ASSERT_EQ(ProgVersion_Read(version), 0);
  EXPECT_STREQ(version, "KV3-SIM 99240601");
  char dips[9] = {};
  ASSERT_EQ(Dipsw_Read(dips), 0);
  EXPECT_STREQ(dips, "10100101");
  ASSERT_TRUE(reader->set_dip_switches("01011010"));
  ASSERT_EQ(Dipsw_Read(dips), 0);
  EXPECT_STREQ(dips, "01011010");

  // Status characters: card waiting, read waiting, write waiting, IC card in, IC card active,
  // EEPROM open, EEPROM writable, then zeros.
  char status[13] = {};
  ASSERT_EQ(StatusCheck("C", status), 0);
  EXPECT_STREQ(status, "000000000000");
  reader->insert_ic(xsim::sample_ic_card());
  ASSERT_EQ(MagCard_Read("C", N), 0);
  ASSERT_EQ(StatusCheck("I", status), 0);
  EXPECT_STREQ(status, "010100000000");
  ASSERT_EQ(Op_Prohibition(), 0);  // the waiting read is given up
  ASSERT_EQ(StatusCheck("C", status), 0);
  EXPECT_STREQ(status, "000100000000");
}

TEST_F(Xerv3Test, CardCommandsReachTheReader) {
  ASSERT_EQ(Eject_Card("R1"), 0);
  EXPECT_EQ(last_command(), "PER1");
  ASSERT_EQ(Write_Mode_Selection("2"), 0);
  ASSERT_EQ(OutputPort_Control("010110"), 0);
  ASSERT_EQ(Cleaning_Card("1"), 0);
  const auto [mode, port] = reader->with_state([](const xsim::ReaderState& s) {
    return std::pair{s.write_mode_selection, s.output_port};
  });
  EXPECT_EQ(mode, '2');
  EXPECT_EQ(port, "010110");
  char out[13] = {};
  ASSERT_EQ(Test_Cmd("5", out), 0);
  EXPECT_STREQ(out, "000000000000");
}

}  // namespace
}  // namespace reader3
