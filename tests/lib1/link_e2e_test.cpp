// How libxerv1 runs the link: DLE ends any command with 907, answers are awaited 1000 ms, a reset
// takes a two-byte control answer, and an unasked whole-EEPROM answer waits for GetEEPROM_Data.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <functional>
#include <string>
#include <thread>

#include "hex_pattern.h"
#include "host_test.h"
#include "pty_reader.h"
#include "xerv/xerv1.h"

namespace xtest {
namespace {

using namespace std::chrono_literals;

const Bytes kAck{0x06};
const Bytes kDle{0x10};

class LinkE2E : public HostTest {};

// A command of each family, with arguments it accepts.
const std::pair<const char*, std::function<int()>> kCommands[] = {
    {"MagCard_Read", [] { return MagCard_Read(nullptr); }},
    {"MagCard_Write", [] { return MagCard_Write("1", nullptr, nullptr); }},
    {"DataReturn", [] { return DataReturn("0123456789"); }},
    {"Eject_Card", [] { return Eject_Card(); }},
    {"Reset_Device", [] { return Reset_Device(); }},
    {"ProgVersion_Read",
     [] {
       char out[17];
       return ProgVersion_Read(out);
     }},
    {"BuzzerVolumeSet",
     [] {
       char out[2];
       return BuzzerVolumeSet("1", out);
     }},
    {"Connection_Model_Setup",
     [] {
       const std::uint32_t code = 101;
       return Connection_Model_Setup(&code);
     }},
    {"EE_Open", [] { return EE_Open(); }},
};

TEST_F(LinkE2E, DleEndsAnyCommandWith907) {
  reader.answer_with([](const Bytes&) { return kDle; });
  for (const auto& [name, call] : kCommands) EXPECT_EQ(call(), 907) << name;
  reader.stop_answering();
  EXPECT_EQ(reader.frames_seen().size(), std::size(kCommands)) << "DLE is not retried";
}

TEST_F(LinkE2E, ASilentReaderGives904AfterAboutOneSecond) {
  char out[17];
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(ProgVersion_Read(out), 904);
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_GE(waited, 900ms);
  EXPECT_LT(waited, 2500ms) << "the XERV1 answer time-out is 1000 ms, not 3000 ms";
  EXPECT_EQ(reader.read_frame(), framed("VR"));
}

TEST_F(LinkE2E, ResetTakesATwoByteControlAnswer) {
  reader.answer_with([](const Bytes&) { return Bytes{0x06, 0x41}; });
  EXPECT_EQ(Reset_Device(), 0);
  EXPECT_EQ(ProtocolChange(), 0);
  reader.stop_answering();
  const auto frames = reader.frames_seen();
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0], framed("<"));
  EXPECT_EQ(frames[1], framed("<0"));

  // Another command does not take two bytes as a control answer.
  reader.answer_with([](const Bytes&) { return Bytes{0x06, 0x41}; });
  EXPECT_EQ(Op_Prohibition(), 904);
}

TEST_F(LinkE2E, NakIsRetriedThreeTimes) {
  reader.answer_with([](const Bytes&) { return Bytes{0x15}; });
  EXPECT_EQ(Eject_Card2(), 903);
  reader.stop_answering();
  EXPECT_EQ(reader.frames_seen().size(), 3u);
}

TEST_F(LinkE2E, UnaskedWholeEepromWaitsForGetEepromData) {
  char buffer[257];
  std::memset(buffer, '#', sizeof buffer);
  std::int32_t length = -1;
  ASSERT_EQ(GetEEPROM_Data(&length, buffer), 0);
  EXPECT_EQ(length, 0);
  EXPECT_EQ(buffer[0], '#') << "nothing kept: the buffer is untouched";

  const std::string all = hex_pattern(256);
  reader.send(framed("s**" + all));
  EXPECT_TRUE(reader.read_for(300ms).empty()) << "the answer is not acknowledged";
  for (int i = 0; i < 100 && length == 0; ++i) {
    ASSERT_EQ(GetEEPROM_Data(&length, buffer), 0);
    if (length == 0) std::this_thread::sleep_for(10ms);
  }
  EXPECT_EQ(length, 256);
  EXPECT_EQ(std::string(buffer), all);

  std::memset(buffer, '#', sizeof buffer);
  ASSERT_EQ(GetEEPROM_Data(&length, buffer), 0);
  EXPECT_EQ(length, 0) << "the data is handed out once";
  EXPECT_EQ(buffer[0], '#');
  EXPECT_EQ(GetEEPROM_Data(nullptr, buffer), 900);
  EXPECT_EQ(GetEEPROM_Data(&length, nullptr), 900);
}

}  // namespace
}  // namespace xtest
