// The setting and EEPROM exports of libxerv1 against a scripted reader: the frame on the wire for
// the query and the set form, and what reaches the caller's buffer.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "host_test.h"
#include "pty_reader.h"
#include "xerv/xerv1.h"

namespace xtest {
namespace {

constexpr const char* N = nullptr;

class SettingsEeprom : public HostTest {};

TEST_F(SettingsEeprom, QueryAndSetForms) {
  const BufferExchange cases[] = {
      {"e query", [](char* o) { return Power_ON_OFF_Operation_Setup(N, o); }, 4, "e", "e1FF",
       "1FF"},
      {"e set", [](char* o) { return Power_ON_OFF_Operation_Setup("0", o); }, 4, "e0FF", "e0FF",
       "0FF"},
      {"j query", [](char* o) { return Track_Info_Set("", "", "", o); }, 5, "j", "j1234", "1234"},
      {"j set", [](char* o) { return Track_Info_Set("1", "2", "3", o); }, 5, "j123", "j1230",
       "1230"},
      {"b", [](char* o) { return BuzzerVolumeSet("", o); }, 2, "b", "b2", "2"},
      {"c", [](char* o) { return Write_Mode_Set("1", o); }, 2, "c1", "c1", "1"},
      {"h", [](char* o) { return Shutter_Control_Set(N, o); }, 2, "h", "h0", "0"},
      {"o", [](char* o) { return ResponseFormatSet("3", o); }, 2, "o3", "o3", "3"},
      {"g set", [](char* o) { return Comm_Control_Set("1", "1", "0", "0", "0", "0", "0", o); }, 8,
       "g1100000", "g1100000", "1100000"},
      {"f with user codes",
       [](char* o) { return Comm_Format_Set("1", "4", "1", "3", "02", "03", "7C", o); }, 11,
       "f141302037C", "f141302037C", "141302037C"},
      {"f query", [](char* o) { return Comm_Format_Set(N, N, N, N, N, N, N, o); }, 11, "f",
       "f1410000000", "1410000000"},
      {"f query answered with the modes alone",
       [](char* o) { return Comm_Format_Set(N, N, N, N, N, N, N, o); }, 11, "f", "f1410", "1410"},
      {"ACK copies nothing", [](char* o) { return BuzzerVolumeSet("1", o); }, 2, "b1", "", "#"},
  };
  for (const auto& c : cases) {
    const Bytes answer = c.reply.empty() ? Bytes{0x06} : framed(c.reply);
    std::string out;
    EXPECT_EQ(run(c.call, c.size, answer, out), 0) << c.name;
    EXPECT_EQ(out, c.out) << c.name;
    ASSERT_EQ(reader.frames_seen().size(), 1u) << c.name;
    EXPECT_EQ(reader.frames_seen()[0], framed(c.wire)) << c.name;
  }
}

TEST_F(SettingsEeprom, FrameFormatWithoutItsUserCodesWhereTheModesNeedThem) {
  std::string out;
  EXPECT_EQ(run([](char* o) { return Comm_Format_Set(N, N, N, N, N, N, N, o); }, 11,
                framed("f1413"), out),
            909);
  EXPECT_EQ(out, "1413");
}

TEST_F(SettingsEeprom, ArgumentErrorsSendNothing) {
  char out[11];
  EXPECT_EQ(Track_Info_Set("1", N, "3", out), 900);
  EXPECT_EQ(Comm_Control_Set("1", "", "0", "0", "0", "0", "0", out), 902);
  EXPECT_EQ(Comm_Format_Set("1", "4", "1", "1", "02", "0", "04", out), 901);
  EXPECT_EQ(EE_Read("8A", out), 902);
  EXPECT_EQ(EE_Read("3A", nullptr), 900);
  EXPECT_EQ(EE_Write("**", "0F"), 902);
  EXPECT_EQ(EE_Write("3A", "0f"), 902);
  EXPECT_TRUE(reader.read_for(150ms).empty());
}

TEST_F(SettingsEeprom, EepromOpenReadWriteClose) {
  const std::string row = "0123456789ABCDEF0123456789ABCDEF";
  reader.answer_with([&](const Bytes& frame) {
    if (frame == framed("s3A")) return framed("s3A5C");
    if (frame == framed("s3*")) return framed("s3*" + row);
    return Bytes{0x06};
  });
  EXPECT_EQ(EE_Open(), 0);
  EXPECT_EQ(EE_Enable(), 0);
  char byte[3];
  EXPECT_EQ(EE_Read("3A", byte), 0);
  EXPECT_EQ(std::string(byte), "5C");
  char whole_row[33];
  EXPECT_EQ(EE_Read("3*", whole_row), 0);
  EXPECT_EQ(std::string(whole_row), row);
  EXPECT_EQ(EE_Write("3A", "0F"), 0);
  EXPECT_EQ(EE_Disable(), 0);
  EXPECT_EQ(EE_Close(), 0);
  reader.stop_answering();

  const auto frames = reader.frames_seen();
  ASSERT_EQ(frames.size(), 7u);
  ASSERT_EQ(frames[0].size(), 10u) << "STX, p, six letters, ETX, BCC";
  EXPECT_EQ(frames[0][1], 'p');
  const std::string code(frames[0].begin() + 2, frames[0].begin() + 8);
  for (const char ch : code) EXPECT_TRUE(ch >= 'A' && ch <= 'Z') << code;
  EXPECT_NE(code, "KXRVEP") << "not the other library's access code";
  EXPECT_EQ(frames[0], framed("p" + code));
  EXPECT_EQ(frames[1], framed("q"));
  EXPECT_EQ(frames[2], framed("s3A"));
  EXPECT_EQ(frames[3], framed("s3*"));
  EXPECT_EQ(frames[4], framed("t3A0F"));
  EXPECT_EQ(frames[5], framed("r"));
  EXPECT_EQ(frames[6], framed("v"));
}

}  // namespace
}  // namespace xtest
