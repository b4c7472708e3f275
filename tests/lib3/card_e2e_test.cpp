// The card commands through the built library, against a scripted reader on a pseudo-terminal:
// the bytes on the wire, the answers, and the reports that come on their own.
#include <gtest/gtest.h>

#include <functional>
#include <span>
#include <future>
#include <string>
#include <thread>

#include "host_test.h"
#include "pty_reader.h"
#include "xerv/xerv3com.h"

namespace xtest {
namespace {

using namespace std::chrono_literals;

constexpr char kUs = 0x1F;
const Bytes kAck{0x06};

std::string letters(const Bytes& frame) {
  return frame.size() >= 3 ? std::string(frame.begin() + 1, frame.begin() + 3) : "";
}

class CardE2E : public HostTest {
 protected:
  // Sets the connection model code; the reader answers "ST" with four characters.
  void set_model(std::uint32_t code) {
    reader.answer_with([](const Bytes&) { return framed("ST1234"); });
    ASSERT_EQ(Connection_Model_Setup(&code), 0);
    reader.stop_answering();
  }

};

TEST_F(CardE2E, ModelSetupReadAndTheCardReport) {
  set_model(101);
  reader.answer_with([](const Bytes&) { return kAck; });
  ASSERT_EQ(MagCard_Read("C", nullptr), 0);
  reader.stop_answering();
  ASSERT_EQ(reader.frames_seen().size(), 1u);
  EXPECT_EQ(reader.frames_seen()[0], framed("CRC"));

  const std::string data = std::string("CR0") + "0ABC" + kUs + "0123" + kUs + "0XYZ";
  reader.send(framed(data));
  EXPECT_EQ(reader.read_frame(), kAck) << "the report is acknowledged";
  ASSERT_NE(wait_for_status(1) & 1, 0);

  std::int32_t r[4], l[4];
  ASSERT_EQ(GetCard_Result(&r[0], &r[1], &r[2], &r[3], &l[0], &l[1], &l[2], &l[3]), 0);
  EXPECT_EQ((std::array<std::int32_t, 4>{r[0], r[1], r[2], r[3]}),
            (std::array<std::int32_t, 4>{0, 0, 0, -1}));
  char buffer[111];
  std::int32_t length = -1;
  ASSERT_EQ(GetTrk1Data(&length, buffer), 0);
  EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(length)), "ABC");
  ASSERT_EQ(GetTrk3Data(&length, buffer), 0);
  EXPECT_EQ(std::string(buffer), "XYZ");
  std::int32_t status = -1;
  GetStatus(&status);
  EXPECT_EQ(status & 1, 0);
}

TEST_F(CardE2E, WriteWithModelOneSendsTheSeparatedFields) {
  set_model(1);
  reader.answer_with([](const Bytes&) { return kAck; });
  EXPECT_EQ(MagCard_Write("A", "", "5678", nullptr, 0), 0);
  reader.stop_answering();
  ASSERT_EQ(reader.frames_seen().size(), 1u);
  EXPECT_EQ(reader.frames_seen()[0], framed(std::string("CWA") + kUs + "5678" + kUs));
}

TEST_F(CardE2E, ModelCodeStaysSetWhenTheReaderRefusesTheQuery) {
  const std::uint32_t code = 3;  // track 2 alone, after one separator
  reader.answer_with([](const Bytes&) { return framed("NG105"); });
  EXPECT_EQ(Connection_Model_Setup(&code), 105);
  reader.stop_answering();
  reader.send(framed(std::string("CR0") + kUs + "0" + "5678"));
  EXPECT_EQ(reader.read_frame(), kAck);
  ASSERT_NE(wait_for_status(1) & 1, 0);
  std::int32_t r[4], l[4];
  ASSERT_EQ(GetCard_Result(&r[0], &r[1], &r[2], &r[3], &l[0], &l[1], &l[2], &l[3]), 0);
  EXPECT_EQ(r[1], 0);
  EXPECT_EQ(l[1], 4);

  // An answer shorter than its four characters is still taken, and reported.
  reader.answer_with([](const Bytes&) { return framed("ST1"); });
  EXPECT_EQ(Connection_Model_Setup(&code), 909);
}

struct AnswerCase {
  const char* name;
  Bytes answer;
  int result;
  std::string out;
};

TEST_F(CardE2E, AnswersToACommand) {
  const AnswerCase cases[] = {
      {"version", framed("VR1.23    20261210"), 0, "1.23    20261210"},
      {"version with more", framed("VR0123456789ABCDEFGH"), 0, "0123456789ABCDEF"},
      {"version short", framed("VR1.2"), 909, "1.2"},
      {"NG105", framed("NG105"), 105, "untouched"},
      {"SQ", framed("SQ1234567890123456"), 909, "untouched"},
      {"SI", framed("SI"), 909, "untouched"},
      {"unknown letters", framed("ZZ1234567890123456"), 909, "untouched"},
      {"another command's longer reply", framed("PU0123456789abcdef0123456789ABCDEF"), 909,
       "untouched"},
  };
  for (const auto& c : cases) {
    reader.answer_with([&](const Bytes&) { return c.answer; });
    char out[32] = "untouched";
    EXPECT_EQ(ProgVersion_Read(out), c.result) << c.name;
    EXPECT_EQ(std::string(out), c.out) << c.name;
    reader.stop_answering();
    ASSERT_EQ(reader.frames_seen().size(), 1u) << c.name;
    EXPECT_EQ(reader.frames_seen()[0], framed("VR")) << c.name;
  }
}

// Control answers that arrive as one unit: the earlier ones answered earlier commands (a reader
// may still ACK a read after the card report that the read took as its answer), the last one
// answers the command that waits.
TEST_F(CardE2E, ControlAnswersArrivingTogetherCountAsTheLast) {
  set_model(101);
  struct Case {
    const char* name;
    Bytes answer;
    int result;
    std::size_t frames;  // 3: the command was sent again on each NAK
  };
  const Case cases[] = {
      {"ACK ACK", {0x06, 0x06}, 0, 1},
      {"ACK ACK ACK", {0x06, 0x06, 0x06}, 0, 1},
      {"NAK ACK", {0x15, 0x06}, 0, 1},
      {"ACK NAK", {0x06, 0x15}, 903, 3},
      {"ACK DLE", {0x06, 0x10}, 0, 1},
  };
  const auto run_cases = [&](std::span<const Case> table) {
    for (const Case& c : table) {
      reader.answer_with([&](const Bytes&) { return c.answer; });
      EXPECT_EQ(MagCard_Read("C", nullptr), c.result) << c.name;
      reader.stop_answering();
      EXPECT_EQ(reader.frames_seen().size(), c.frames) << c.name;
    }
  };
  run_cases(cases);
  // With the two-character block check each may carry its CR.
  ASSERT_EQ(rs_CommFormat_Set("1", "1", "2", "0", "00", "00", "00"), 0);
  const Case with_cr[] = {
      {"ACK CR ACK CR", {0x06, 0x0D, 0x06, 0x0D}, 0, 1},
      {"ACK CR ACK", {0x06, 0x0D, 0x06}, 0, 1},
      {"ACK CR NAK CR", {0x06, 0x0D, 0x15, 0x0D}, 903, 3},
  };
  run_cases(with_cr);
}

TEST_F(CardE2E, ReplyDecodingOfTheOtherQueries) {
  reader.answer_with([](const Bytes& frame) {
    const std::string l = letters(frame);
    if (l == "PS") return framed("PS0ABCDEFGHIJKL");
    if (frame == framed("PT0")) return framed("PT0x10101010");
    return framed("PT5ABCDEFGHIJKL");
  });
  char out[16];
  EXPECT_EQ(StatusCheck("C", out), 0);
  EXPECT_EQ(std::string(out), "ABCDEFGHIJKL");
  EXPECT_EQ(Dipsw_Read(out), 0);
  EXPECT_EQ(std::string(out), "10101010");
  EXPECT_EQ(Test_Cmd("5", out), 0);
  EXPECT_EQ(std::string(out), "ABCDEFGHIJKL");
  EXPECT_EQ(Test_Cmd("5", nullptr), 0) << "a null buffer takes the answer without copying it";
  reader.stop_answering();
  const auto frames = reader.frames_seen();
  ASSERT_EQ(frames.size(), 4u);
  EXPECT_EQ(frames[0], framed("PSC"));
  EXPECT_EQ(frames[1], framed("PT0"));
  EXPECT_EQ(frames[2], framed("PT5"));
}

struct ArgumentCase {
  const char* name;
  std::function<int()> call;
  int result;
};

TEST_F(CardE2E, ArgumentErrorsSendNothing) {
  const ArgumentCase cases[] = {
      {"Eject_Card F2", [] { return Eject_Card("F2"); }, 902},
      {"Eject_Card F", [] { return Eject_Card("F"); }, 901},
      {"OutputPort_Control", [] { return OutputPort_Control("01011x"); }, 902},
      {"MagCard_Read F 10", [] { return MagCard_Read("F", "10"); }, 901},
      {"MagCard_Write K", [] { return MagCard_Write("K", "1", nullptr, nullptr, 0); }, 900},
      {"MagCard_Write_Eject_Position K empty",
       [] { return MagCard_Write_Eject_Position("K", "1", nullptr, nullptr, 0, ""); }, 902},
      {"StatusCheck null", [] { return StatusCheck(nullptr, nullptr); }, 900},
      {"Connection_Model_Setup null", [] { return Connection_Model_Setup(nullptr); }, 900},
  };
  for (const auto& c : cases) EXPECT_EQ(c.call(), c.result) << c.name;
  EXPECT_TRUE(reader.read_for(150ms).empty());
}

TEST_F(CardE2E, AReportWhileACommandWaitsIsStoredAndTheCommandGetsItsOwnAnswer) {
  char out[17] = {};
  auto version = std::async(std::launch::async, [&] { return ProgVersion_Read(out); });
  EXPECT_EQ(reader.read_frame(), framed("VR"));
  reader.send(framed("AE12"));
  EXPECT_EQ(reader.read_frame(), kAck) << "the event report is acknowledged";
  reader.send(framed("VR0123456789ABCDEF"));
  EXPECT_EQ(version.get(), 0);
  EXPECT_EQ(std::string(out), "0123456789ABCDEF");
  std::int32_t e[3] = {-1, -1, -1};
  ASSERT_EQ(GetEvent_Status(&e[0], &e[1], &e[2]), 0);
  EXPECT_EQ(e[0], 12);
  EXPECT_EQ(e[1], 0);
}

// Every card command export with arguments it would accept.
const NamedCall kEveryExport[] = {
    {"MagCard_Read", [] { return MagCard_Read("C", nullptr); }},
    {"MagCard_Read_Eject_Position", [] { return MagCard_Read_Eject_Position("A", "01", ""); }},
    {"MagCard_Write", [] { return MagCard_Write("A", "1", "2", "3", 0); }},
    {"MagCard_Write_Eject_Position",
     [] { return MagCard_Write_Eject_Position("K", "1", "2", "3", 0, "12"); }},
    {"Eject_Card", [] { return Eject_Card("F0"); }},
    {"Write_Mode_Selection", [] { return Write_Mode_Selection("1"); }},
    {"Op_Prohibition", [] { return Op_Prohibition(); }},
    {"Reset_Device", [] { return Reset_Device(); }},
    {"ProtocolChange", [] { return ProtocolChange(); }},
    {"StatusCheck",
     [] {
       char out[13];
       return StatusCheck("C", out);
     }},
    {"Cleaning_Card", [] { return Cleaning_Card("1"); }},
    {"Test_Cmd",
     [] {
       char out[13];
       return Test_Cmd("1", out);
     }},
    {"Dipsw_Read",
     [] {
       char out[9];
       return Dipsw_Read(out);
     }},
    {"ProgVersion_Read",
     [] {
       char out[17];
       return ProgVersion_Read(out);
     }},
    {"OutputPort_Control", [] { return OutputPort_Control("010110"); }},
    {"Connection_Model_Setup",
     [] {
       const std::uint32_t code = 101;
       return Connection_Model_Setup(&code);
     }},
    {"Eject_Card with a bad argument", [] { return Eject_Card(nullptr); }},
};

TEST(CardE2ENoPort, EveryExportGivesMinusOneBeforeOpenAndAfterClose) {
  expect_minus_one_without_port(kEveryExport);
}

}  // namespace
}  // namespace xtest
