// The card commands of libxerv1 against a scripted reader on a pseudo-terminal: the bytes on the
// wire, the answers, and the card reports split by the XERV1 layouts.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>

#include "host_test.h"
#include "pty_reader.h"
#include "xerv/xerv1.h"

namespace xtest {
namespace {

using namespace std::chrono_literals;

constexpr char kUs = 0x1F;
const Bytes kAck{0x06};

class CardE2E : public HostTest {
 protected:
  // Sets the connection model code; the reader answers the track information query "j".
  void set_model(std::uint32_t code) {
    reader.answer_with([](const Bytes&) { return framed("j1234"); });
    ASSERT_EQ(Connection_Model_Setup(&code), 0);
    reader.stop_answering();
  }

  std::array<std::int32_t, 4> card_results() {
    std::int32_t r[4], l[4];
    EXPECT_EQ(GetCard_Result(&r[0], &r[1], &r[2], &r[3], &l[0], &l[1], &l[2], &l[3]), 0);
    return {r[0], r[1], r[2], r[3]};
  }

};

TEST_F(CardE2E, ReadAndTheCardReportSplitIntoTracks) {
  set_model(101);
  reader.answer_with([](const Bytes&) { return kAck; });
  ASSERT_EQ(MagCard_Read(nullptr), 0);
  reader.stop_answering();
  ASSERT_EQ(reader.frames_seen().size(), 1u);
  EXPECT_EQ(reader.frames_seen()[0], framed("1"));

  // The card data follows the single letter "A".
  reader.send(framed(std::string("A") + "0ABC" + kUs + "0123" + kUs + "0XYZ"));
  EXPECT_EQ(reader.read_frame(), kAck) << "the report is acknowledged";
  ASSERT_NE(wait_for_status(1) & 1, 0);
  EXPECT_EQ(card_results(), (std::array<std::int32_t, 4>{0, 0, 0, -1}));
  char buffer[111];
  std::int32_t length = -1;
  ASSERT_EQ(GetTrk1Data(&length, buffer), 0);
  EXPECT_EQ(std::string(buffer, static_cast<std::size_t>(length)), "ABC");
  ASSERT_EQ(GetTrk2Data(&length, buffer), 0);
  EXPECT_EQ(std::string(buffer), "123");
  ASSERT_EQ(GetTrk3Data(&length, buffer), 0);
  EXPECT_EQ(std::string(buffer), "XYZ");
  ASSERT_EQ(GetTrk4Data(&length, buffer), 0);
  EXPECT_EQ(length, 0);
}

TEST_F(CardE2E, CardDataAsTheAnswerOfTheRead) {
  set_model(101);
  // A "B" report answers the read itself; track 2's field is empty.
  const Bytes report = framed(std::string("B") + "0ABC" + kUs + kUs + "3");
  reader.answer_with([&](const Bytes& frame) { return frame == framed("2") ? report : Bytes{}; });
  EXPECT_EQ(MagCard_Read_Hold_Position(nullptr), 0);
  reader.stop_answering();
  auto frames = reader.frames_seen();
  ASSERT_GE(frames.size(), 1u);
  EXPECT_EQ(frames[0], framed("2"));
  // The acknowledgement may come after the answerer stopped.
  if (frames.size() == 1) frames.push_back(reader.read_frame());
  EXPECT_EQ(frames[1], kAck);
  EXPECT_EQ(card_results(), (std::array<std::int32_t, 4>{0, -1, 3, -1}));
}

TEST_F(CardE2E, WriteAndItsResultReport) {
  set_model(101);
  reader.answer_with([](const Bytes&) { return kAck; });
  EXPECT_EQ(MagCard_Write("", "5678", nullptr), 0);
  reader.stop_answering();
  ASSERT_EQ(reader.frames_seen().size(), 1u);
  EXPECT_EQ(reader.frames_seen()[0], framed(std::string("3") + kUs + "5678" + kUs));

  reader.send(framed(std::string("C") + kUs + "0" + kUs + "3"));
  EXPECT_EQ(reader.read_frame(), kAck);
  ASSERT_NE(wait_for_status(2) & 2, 0);
  EXPECT_EQ(card_results(), (std::array<std::int32_t, 4>{-1, 0, 3, -1}));
}

TEST_F(CardE2E, NttWriteCarriesZeroBytesUnderCode100) {
  set_model(100);
  reader.answer_with([](const Bytes&) { return kAck; });
  const char data[] = {'A', '\0', 'B', '\0', '\x03'};
  const std::int32_t five = 5;
  EXPECT_EQ(MagCard_NTT_Write(&five, data), 0);
  EXPECT_EQ(MagCard_NTT8_Write_Hold_Position(&five, data), 0);
  const std::int32_t over = 256;
  EXPECT_EQ(MagCard_NTT8_Write(&over, data), 901);
  EXPECT_EQ(MagCard_NTT_Write_Hold_Position(nullptr, data), 902);
  reader.stop_answering();
  const auto frames = reader.frames_seen();
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0], framed(std::string("3A\0B\0\x03", 6)));
  EXPECT_EQ(frames[1], framed(std::string("4A\0B\0\x03", 6)));

  set_model(101);
  reader.answer_with([](const Bytes&) { return kAck; });
  EXPECT_EQ(MagCard_NTT_Write(&five, data), 0);
  reader.stop_answering();
  ASSERT_EQ(reader.frames_seen().size(), 1u);
  EXPECT_EQ(reader.frames_seen()[0], framed("3"));
}

TEST_F(CardE2E, ModelSixHundredIsSetWithoutAskingAndSwitchesToTheFixedSeparator) {
  // A user separator in force ...
  ASSERT_EQ(rs_CommFormat_Set("1", "4", "1", "1", "02", "03", "7C"), 0);
  const std::uint32_t code = 600;
  EXPECT_EQ(Connection_Model_Setup(&code), 0);
  EXPECT_TRUE(reader.read_for(200ms).empty()) << "nothing is sent for a code above 105";
  // ... is replaced by separator mode 2 (US), which a three-track write then uses.
  set_model(101);
  reader.answer_with([](const Bytes&) { return kAck; });
  EXPECT_EQ(MagCard_Write("1", "2", "3"), 0);
  reader.stop_answering();
  ASSERT_EQ(reader.frames_seen().size(), 1u);
  EXPECT_EQ(reader.frames_seen()[0], framed(std::string("31") + kUs + "2" + kUs + "3"));
}

TEST_F(CardE2E, DataReturnChecksTheEcho) {
  struct Case {
    const char* name;
    std::string answer;
    int result;
  };
  const Case cases[] = {
      {"same", "J0123456789", 0},
      {"first differs", "JX123456789", 908},
      {"last differs", "J012345678X", 908},
      {"short", "J01234", 908},
  };
  for (const auto& c : cases) {
    reader.answer_with([&](const Bytes&) { return framed(c.answer); });
    EXPECT_EQ(DataReturn("0123456789"), c.result) << c.name;
    reader.stop_answering();
    ASSERT_EQ(reader.frames_seen().size(), 1u) << c.name;
    EXPECT_EQ(reader.frames_seen()[0], framed(":0123456789")) << c.name;
  }
  EXPECT_EQ(DataReturn("012345678"), 901);
  EXPECT_EQ(DataReturn(nullptr), 900);
  EXPECT_TRUE(reader.read_for(150ms).empty());
}

struct Exchange {
  const char* name;
  std::function<int()> call;
  std::string wire;
  Bytes answer;
  int result;
};

TEST_F(CardE2E, CommandTextsOnTheWire) {
  const Exchange cases[] = {
      {"Eject_Card", [] { return Eject_Card(); }, ";", kAck, 0},
      {"Eject_Card2", [] { return Eject_Card2(); }, ">", kAck, 0},
      {"Op_Prohibition", [] { return Op_Prohibition(); }, "0", kAck, 0},
      {"Write_Mode_Selection", [] { return Write_Mode_Selection("2"); }, "62", kAck, 0},
      {"Cleaning_Card", [] { return Cleaning_Card("15"); }, "a1", kAck, 0},
      {"ProtocolChange", [] { return ProtocolChange(); }, "<0", kAck, 0},
  };
  for (const auto& c : cases) {
    reader.answer_with([&](const Bytes&) { return c.answer; });
    EXPECT_EQ(c.call(), c.result) << c.name;
    reader.stop_answering();
    ASSERT_EQ(reader.frames_seen().size(), 1u) << c.name;
    EXPECT_EQ(reader.frames_seen()[0], framed(c.wire)) << c.name;
  }
}

TEST_F(CardE2E, RepliesCopiedIntoTheCallersBuffer) {
  reader.answer_with([](const Bytes& frame) {
    if (frame == framed("=")) return framed("M123");
    if (frame == framed("k0")) return framed("k0x10101010");
    if (frame == framed("k5")) return framed("k5ABCDEFGHIJKL");
    return framed("VR1.23    20261210");
  });
  char status[XERV1_STATUS_SIZE];
  EXPECT_EQ(StatusCheck(status), 0);
  EXPECT_EQ(std::string(status), "123");
  char dipsw[9];
  EXPECT_EQ(Dipsw_Read(dipsw), 0);
  EXPECT_EQ(std::string(dipsw), "10101010");
  char test[13];
  EXPECT_EQ(Test_Cmd("5", test), 0);
  EXPECT_EQ(std::string(test), "ABCDEFGHIJKL");
  char version[17];
  EXPECT_EQ(ProgVersion_Read(version), 0);
  EXPECT_EQ(std::string(version), "1.23    20261210");
  EXPECT_EQ(StatusCheck(nullptr), 900);
  reader.stop_answering();
  const auto frames = reader.frames_seen();
  ASSERT_EQ(frames.size(), 4u);
  EXPECT_EQ(frames[3], framed("VR"));
}

TEST_F(CardE2E, AnotherCommandsLongerReplyLeavesTheBufferAlone) {
  reader.answer_with([](const Bytes&) { return framed("VR1.23    20261210"); });
  char dipsw[9] = "untouch";
  EXPECT_EQ(Dipsw_Read(dipsw), 909);
  EXPECT_EQ(std::string(dipsw), "untouch");
}

}  // namespace
}  // namespace xtest
