// IC card and EEPROM exports of libxerv3com against a scripted reader on a pseudo-terminal.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>

#include "hex_pattern.h"
#include "host_test.h"
#include "pty_reader.h"
#include "xerv/xerv3com.h"

namespace xtest {
namespace {

std::string text_of(const Bytes& b) {
  return std::string(b.begin(), b.end());
}

class IcEeprom : public HostTest {};

TEST_F(IcEeprom, OpenReadWholeAndClose) {
  const std::string all = hex_pattern(256);
  reader.answer_with([&](const Bytes& frame) {
    if (frame == framed("ER**")) return framed("ER**" + all);
    return Bytes{0x06};
  });
  EXPECT_EQ(EE_Open(), 0);
  char out[257];
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(EE_Read("**", out), 0);
  EXPECT_EQ(std::string(out), all);
  EXPECT_EQ(EE_Close(), 0);

  const auto frames = reader.frames_seen();
  ASSERT_EQ(frames.size(), 3u);
  ASSERT_EQ(frames[0].size(), 11u) << "STX, EO, six letters, ETX, BCC";
  EXPECT_EQ(text_of(frames[0]).substr(1, 2), "EO");
  for (std::size_t i = 3; i < 9; ++i) EXPECT_TRUE(frames[0][i] >= 'A' && frames[0][i] <= 'Z');
  EXPECT_EQ(frames[0], framed(text_of(frames[0]).substr(1, 8)));
  EXPECT_EQ(frames[1], framed("ER**"));
  EXPECT_EQ(frames[2], framed("EC"));
}

TEST_F(IcEeprom, ReadByteAndRowAndShortReply) {
  reader.answer_with([&](const Bytes& frame) {
    if (frame == framed("ER3A")) return framed("ER3A0F");
    if (frame == framed("ER3*")) return framed("ER3*" + hex_pattern(32));
    if (frame == framed("ER4*")) return framed("ER4*ABCD");  // cut short
    return Bytes{0x06};
  });
  char out[257];
  EXPECT_EQ(EE_Read("3A", out), 0);
  EXPECT_EQ(std::string(out), "0F");
  EXPECT_EQ(EE_Read("3*", out), 0);
  EXPECT_EQ(std::string(out), hex_pattern(32));
  EXPECT_EQ(EE_Read("4*", out), 909);
  EXPECT_EQ(std::string(out), "ABCD");
}

TEST_F(IcEeprom, ArgumentErrorsSendNothing) {
  char out[257];
  const std::string row31(31, '0');
  EXPECT_EQ(EE_Read("8A", out), 902);
  EXPECT_EQ(EE_Read(nullptr, out), 900);
  EXPECT_EQ(EE_Read("3A", nullptr), 900);
  EXPECT_EQ(EE_Write("**", "0F"), 902);
  EXPECT_EQ(EE_Write("3*", row31.c_str()), 902);
  EXPECT_EQ(EE_Write("3A", "0f"), 902);
  EXPECT_EQ(EE_Write("3A", nullptr), 900);
  const int32_t zero = 0;
  EXPECT_EQ(IC_Card_DataSend(&zero, "\x80", "", out), 902);
  EXPECT_EQ(IC_Card_DataSend_EMV(nullptr, "", out), 900);
  EXPECT_TRUE(reader.read_for(300ms).empty());
}

TEST_F(IcEeprom, WriteSendsAddressAndData) {
  reader.answer_with([](const Bytes&) { return Bytes{0x06}; });
  const std::string row(32, 'F');
  EXPECT_EQ(EE_Write("3A", "0F"), 0);
  EXPECT_EQ(EE_Write("7*", row.c_str()), 0);
  const auto frames = reader.frames_seen();
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0], framed("EW3A0F"));
  EXPECT_EQ(frames[1], framed("EW7*" + row));
}

TEST_F(IcEeprom, UnaskedWholeReadDoesNotDisturbTheNextCommand) {
  reader.send(framed("ER**" + hex_pattern(256)));
  // The library keeps it in its data block and sends nothing back.
  EXPECT_TRUE(reader.read_for(400ms).empty());

  reader.answer_with(
      [](const Bytes& frame) { return frame == framed("ER3A") ? framed("ER3A5C") : Bytes{0x15}; });
  char out[3] = "##";
  EXPECT_EQ(EE_Read("3A", out), 0);
  EXPECT_EQ(std::string(out), "5C");
}

TEST_F(IcEeprom, IcExchangeWithZeroAndEndCodeBytesBothWays) {
  const std::string sent("\x00\x03\x02\x00\x03", 5);
  const std::string answer =
      std::string("ID\x00\x06", 4) + std::string("\x03\x00\x02\x03\x90\x00", 6);
  reader.answer_with([&](const Bytes&) { return framed(answer); });

  int32_t length = 5;
  char out[XERV_IC_REPLY_SIZE];
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(IC_Card_DataSend_EMV(&length, sent.data(), out), 0);
  EXPECT_EQ(std::string(out, 9), answer.substr(2) + std::string(1, '\0'));
  EXPECT_EQ(out[9], '#');

  // The first-byte form: IP, 00 03, 80h and the two data bytes.
  length = 3;
  EXPECT_EQ(IC_Card_DataSend(&length, "\x80", sent.data(), out), 0);

  const auto frames = reader.frames_seen();
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0], framed(std::string("IC\x00\x05", 4) + sent));
  EXPECT_EQ(frames[1], framed(std::string("IP\x00\x03\x80\x00\x03", 7)));
}

TEST_F(IcEeprom, ActivationRepliesAndPlainCommands) {
  reader.answer_with([](const Bytes& frame) {
    if (frame == framed("IN")) return framed(std::string("IP\x00\x00", 4));
    if (frame == framed("IS")) return framed(std::string("ID\x00\x09\x3B\x00", 6));  // cut short
    return Bytes{0x06};
  });
  char out[XERV_IC_REPLY_SIZE];
  std::memset(out, '#', sizeof out);
  EXPECT_EQ(IC_Card_Activate(out), 0);
  EXPECT_EQ(std::string(out, 4), std::string("\x00\x00\x00#", 4));
  EXPECT_EQ(IC_Card_Activate_EMV(out), 909);
  EXPECT_EQ(std::string(out, 5), std::string("\x00\x09\x3B\x00\x00", 5));
  EXPECT_EQ(IC_Card_Set(), 0);
  EXPECT_EQ(IC_Card_Deactivation(), 0);
  EXPECT_EQ(EE_Enable(), 0);
  EXPECT_EQ(EE_Disable(), 0);
  const auto frames = reader.frames_seen();
  ASSERT_EQ(frames.size(), 6u);
  EXPECT_EQ(frames[2], framed("IU"));
  EXPECT_EQ(frames[3], framed("IE"));
  EXPECT_EQ(frames[4], framed("EE"));
  EXPECT_EQ(frames[5], framed("ED"));
}

TEST_F(IcEeprom, AnswerOfTheWrongKindLeavesTheBufferAlone) {
  reader.answer_with([](const Bytes& frame) {
    if (frame == framed("ER3A")) return framed(std::string("ID\x00\x20", 4) + std::string(32, 'x'));
    return framed("ER**" + hex_pattern(256));
  });
  char small[3] = "##";
  EXPECT_EQ(EE_Read("3A", small), 909);
  EXPECT_EQ(std::string(small), "##");
  char block[XERV_IC_REPLY_SIZE] = "untouched";
  EXPECT_EQ(IC_Card_Activate(block), 909);
  EXPECT_EQ(std::string(block), "untouched");
}

TEST(IcEepromClosed, EveryExportNeedsAnOpenPort) {
  char out[XERV_IC_REPLY_SIZE];
  const int32_t one = 1;
  EXPECT_EQ(IC_Card_Set(), -1);
  EXPECT_EQ(IC_Card_Deactivation(), -1);
  EXPECT_EQ(IC_Card_Activate(out), -1);
  EXPECT_EQ(IC_Card_Activate_EMV(out), -1);
  EXPECT_EQ(IC_Card_DataSend(&one, "A", nullptr, out), -1);
  EXPECT_EQ(IC_Card_DataSend_EMV(&one, "A", out), -1);
  EXPECT_EQ(EE_Open(), -1);
  EXPECT_EQ(EE_Close(), -1);
  EXPECT_EQ(EE_Enable(), -1);
  EXPECT_EQ(EE_Disable(), -1);
  EXPECT_EQ(EE_Read("3A", out), -1);
  EXPECT_EQ(EE_Write("3A", "0F"), -1);
}

}  // namespace
}  // namespace xtest
