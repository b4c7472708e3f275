// The setting exports of libxerv3com against a scripted reader on a pseudo-terminal: the frame on
// the wire for the query and the set form, and what reaches the caller's buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "host_test.h"
#include "pty_reader.h"
#include "xerv/xerv3com.h"

namespace xtest {
namespace {

constexpr const char* N = nullptr;
using Call = std::function<int32_t(char*)>;

class Settings : public HostTest {};

TEST_F(Settings, QueryAndSetOfEveryExport) {
  const BufferExchange cases[] = {
      {"SH query", [](char* o) { return Card_Inst_End_Set(N, N, N, o); }, 7, "SH", "SHFF1030",
       "FF1030"},
      {"SH set", [](char* o) { return Card_Inst_End_Set("R", "S0", "", o); }, 7, "SHRS0",
       "SHRS0   ", "RS0   "},
      {"SH query, a mode without a third value",
       [](char* o) { return Card_Inst_End_Set("", "", "", o); }, 7, "SH", "SHFF0", "FF0"},
      {"SH set S0, answered with its three values",
       [](char* o) { return Card_Inst_End_Set("R", "S0", N, o); }, 7, "SHRS0", "SHRS0", "RS0"},
      {"SE query", [](char* o) { return Event_data_Set("", o); }, XERV3_EVENT_DATA_SIZE, "SE",
       "SE0123456789ABCDE", "0123456789ABCDE"},
      {"SE set", [](char* o) { return Event_data_Set("E", o); }, XERV3_EVENT_DATA_SIZE, "SEE",
       "SEE", "E"},
      {"SP query", [](char* o) { return Power_ON_OFF_Operation_Setup("", "", "", o); }, 4, "SP",
       "SP0RR", "0RR"},
      {"SP set", [](char* o) { return Power_ON_OFF_Operation_Setup("1", "F", "0", o); }, 4, "SP1F0",
       "SP1F0", "1F0"},
      {"SL query", [](char* o) { return LED_Operation_setup(N, N, N, N, N, o); }, 6, "SL",
       "SL01020", "01020"},
      {"SL set", [](char* o) { return LED_Operation_setup("1", "0", "2", "0", "1", o); }, 6,
       "SL10201", "SL10201", "10201"},
      {"SB query", [](char* o) { return BUZ_Operation_setup("", "", "", "", "", o); }, 6, "SB",
       "SB11111", "11111"},
      {"SB set", [](char* o) { return BUZ_Operation_setup("0", "0", "1", "1", "0", o); }, 6,
       "SB00110", "SB00110", "00110"},
      {"SR query", [](char* o) { return Comm_Control_Set(N, N, N, N, N, N, N, o); }, 8, "SR",
       "SR1100000", "1100000"},
      {"SR set", [](char* o) { return Comm_Control_Set("1", "1", "0", "0", "0", "0", "2", o); }, 8,
       "SR1100002", "SR1100002", "1100002"},
      {"SN query", [](char* o) { return Comm_Format_Set("", "", "", "", "", "", "", o); }, 11, "SN",
       "SN1410000000", "1410000000"},
      {"SN query answered with the modes alone",
       [](char* o) { return Comm_Format_Set("", "", "", "", "", "", "", o); }, 11, "SN", "SN1410",
       "1410"},
      {"SN set, six characters",
       [](char* o) { return Comm_Format_Set("1", "4", "1", "0", "1B", "0D", "1F", o); }, 11,
       "SN1410", "SN1410000000", "1410000000"},
      {"SN set, twelve characters",
       [](char* o) { return Comm_Format_Set("1", "4", "1", "1", "1B", "0D", "1F", o); }, 11,
       "SN14111B0D1F", "SN14111B0D1F", "14111B0D1F"},
      {"SJ with p1 alone", [](char* o) { return Read_Data_Send_Range_Set("1", N, N, o); }, 6, "SJ1",
       "SJ10140", "10140"},
      {"SJ with ranges", [](char* o) { return Read_Data_Send_Range_Set("0", "02", "37", o); }, 6,
       "SJ00237", "SJ00237", "00237"},
      {"SM query", [](char* o) { return Write_Mode_Set("", o); }, 2, "SM", "SM0", "0"},
      {"SM set", [](char* o) { return Write_Mode_Set("2", o); }, 2, "SM2", "SM2", "2"},
      {"SS query", [](char* o) { return Shutter_Control_Set(N, o); }, 2, "SS", "SS1", "1"},
      {"SS set", [](char* o) { return Shutter_Control_Set("0", o); }, 2, "SS0", "SS0", "0"},
      {"SY query", [](char* o) { return RetryActionCountSet("", o); }, 2, "SY", "SY3", "3"},
      {"SY set", [](char* o) { return RetryActionCountSet("5", o); }, 2, "SY5", "SY5", "5"},
      {"SV query", [](char* o) { return BuzzerVolumeSet("", o); }, 2, "SV", "SV2", "2"},
      {"SV set", [](char* o) { return BuzzerVolumeSet("1", o); }, 2, "SV1", "SV1", "1"},
      {"SG query", [](char* o) { return LEDBuzzerOperationTimingSet("", o); }, 2, "SG", "SG0", "0"},
      {"SG set", [](char* o) { return LEDBuzzerOperationTimingSet("1", o); }, 2, "SG1", "SG1", "1"},
      {"SD answers SR", [](char* o) { return Comm_Control_Set(N, N, N, N, N, N, N, o); }, 8, "SR",
       "SD1234567", "1234567"},
      {"SF answers SM", [](char* o) { return Write_Mode_Set("", o); }, 2, "SM", "SF1", "1"},
  };
  for (const BufferExchange& c : cases) {
    std::string out;
    EXPECT_EQ(run(c.call, c.size, framed(c.reply), out), 0) << c.name;
    EXPECT_EQ(out, c.out) << c.name;
    const auto frames = reader.frames_seen();
    ASSERT_EQ(frames.size(), 1u) << c.name;
    EXPECT_EQ(frames[0], framed(c.wire)) << c.name;
  }
}

TEST_F(Settings, RefusalAckAndForeignAnswersLeaveTheBufferUnchanged) {
  struct Refusal {
    const char* name;
    Call call;
    std::size_t size;
    std::string wire;
    std::string ng;
    int32_t code;
  };
  const Refusal cases[] = {
      {"NG to SH set", [](char* o) { return Card_Inst_End_Set("F", "F1", "030", o); }, 7,
       "SHFF1030", "NG105", 105},
      {"NG to SE set", [](char* o) { return Event_data_Set("3", o); }, 16, "SE3", "NG021", 21},
      {"NG to SN query", [](char* o) { return Comm_Format_Set(N, N, N, N, N, N, N, o); }, 11, "SN",
       "NG300", 300},
      {"NG to SM set", [](char* o) { return Write_Mode_Set("1", o); }, 2, "SM1", "NG999", 999},
  };
  for (const Refusal& c : cases) {
    std::string out;
    EXPECT_EQ(run(c.call, c.size, framed(c.ng), out), c.code) << c.name;
    EXPECT_EQ(out, std::string(c.size - 1, '#')) << c.name;
    EXPECT_EQ(reader.frames_seen().at(0), framed(c.wire)) << c.name;
  }

  std::string out;
  EXPECT_EQ(run([](char* o) { return Shutter_Control_Set("1", o); }, 2, {0x06}, out), 0);
  EXPECT_EQ(out, "#") << "an ACK copies nothing";
  // A reader answering with a longer setting than the command asked for does not overrun the
  // two-byte buffer of a single-value setting.
  EXPECT_EQ(run([](char* o) { return Write_Mode_Set("", o); }, 2, framed("SN1411020304"), out),
            909);
  EXPECT_EQ(out, "#");
  EXPECT_EQ(run([](char* o) { return BuzzerVolumeSet("", o); }, 2,
                framed("SE" + std::string(300, 'x')), out),
            909);
  EXPECT_EQ(out, "#");
  // Incomplete answers: what came is copied, and the result says so.
  EXPECT_EQ(run([](char* o) { return Card_Inst_End_Set(N, N, N, o); }, 7, framed("SHFF1F3"), out),
            909);
  EXPECT_EQ(out, "FF1F3");
  EXPECT_EQ(run([](char* o) { return Comm_Format_Set(N, N, N, N, N, N, N, o); }, 11,
                framed("SN1411"), out),
            909);
  EXPECT_EQ(out, "1411") << "separator mode 1 carries its user code";
}

TEST_F(Settings, ArgumentErrorsSendNothing) {
  char out[XERV3_EVENT_DATA_SIZE];
  EXPECT_EQ(Card_Inst_End_Set("F", "S1", "", out), 902);
  EXPECT_EQ(Card_Inst_End_Set("F", "F0", "030", out), 901);
  EXPECT_EQ(Card_Inst_End_Set(N, "F1", "030", out), 900);
  EXPECT_EQ(Event_data_Set("F", out), 902);
  EXPECT_EQ(Power_ON_OFF_Operation_Setup("2", "F", "0", out), 902);
  EXPECT_EQ(LED_Operation_setup("0", "1", "22", "0", "1", out), 901);
  EXPECT_EQ(BUZ_Operation_setup("0", "1", N, "0", "1", out), 900);
  EXPECT_EQ(Comm_Control_Set("1", "", "0", "0", "0", "0", "0", out), 902);
  EXPECT_EQ(Comm_Format_Set("2", "4", "1", "0", "1B", "0", "1F", out), 901);
  EXPECT_EQ(Read_Data_Send_Range_Set("", "01", "40", out), 901);
  EXPECT_EQ(Read_Data_Send_Range_Set(N, N, N, out), 900);
  EXPECT_TRUE(reader.read_for(300ms).empty());
}

TEST_F(Settings, EventDataUpToTheLongestFrame) {
  // Without start code, end code or block check the whole 404-byte frame is text: "SE" and 402
  // characters of event data, exactly what XERV3_EVENT_DATA_SIZE holds.
  ASSERT_EQ(rs_CommFormat_Set("0", "0", "0", "0", "00", "00", "00"), 0);
  const std::string data(XERV3_EVENT_DATA_SIZE - 1, 'd');
  std::string out;
  EXPECT_EQ(run([](char* o) { return Event_data_Set("", o); }, XERV3_EVENT_DATA_SIZE,
                bytes("SE" + data), out),
            0);
  EXPECT_EQ(out, data);
  EXPECT_EQ(reader.frames_seen().at(0), bytes("SE"));
}

TEST_F(Settings, EventDataLengthComesFromTheTextInAnyFrameFormat) {
  // CR LF end code and a three-byte block check: the frame is longer than text + 5.
  ASSERT_EQ(rs_CommFormat_Set("1", "3", "2", "0", "00", "00", "00"), 0);
  devlink::FrameFormat format;
  format.set_end(3, 0);
  format.set_bcc(2);
  std::string out;
  EXPECT_EQ(run([](char* o) { return Event_data_Set("A", o); }, XERV3_EVENT_DATA_SIZE,
                framed("SEA12", format), out),
            0);
  EXPECT_EQ(out, "A12");
  EXPECT_EQ(reader.frames_seen().at(0), framed("SEA", format));
}

TEST(SettingsWithoutPort, EveryExportGivesMinusOneAndSendsNothing) {
  PtyReader reader{4};
  char out[XERV3_EVENT_DATA_SIZE];
  const Call calls[] = {
      [](char* o) { return Card_Inst_End_Set("F", "F1", "030", o); },
      [](char* o) { return Event_data_Set("F", o); },  // an argument error, but no port first
      [](char* o) { return Power_ON_OFF_Operation_Setup("1", "F", "0", o); },
      [](char* o) { return LED_Operation_setup(N, N, N, N, N, o); },
      [](char* o) { return BUZ_Operation_setup(N, N, N, N, N, o); },
      [](char* o) { return Comm_Control_Set(N, N, N, N, N, N, N, o); },
      [](char* o) { return Comm_Format_Set(N, N, N, N, N, N, N, o); },
      [](char* o) { return Read_Data_Send_Range_Set("1", N, N, o); },
      [](char* o) { return Write_Mode_Set("", o); },
      [](char* o) { return Shutter_Control_Set("", o); },
      [](char* o) { return RetryActionCountSet("", o); },
      [](char* o) { return BuzzerVolumeSet("", o); },
      [](char* o) { return LEDBuzzerOperationTimingSet("", o); },
  };
  for (const Call& call : calls) EXPECT_EQ(call(out), -1);
  ASSERT_EQ(rs_PortOpen(reader.port().c_str()), 0);
  ASSERT_EQ(rs_PortClose(), 0);
  for (const Call& call : calls) EXPECT_EQ(call(out), -1);
  EXPECT_TRUE(reader.read_for(100ms).empty());
}

}  // namespace
}  // namespace xtest
