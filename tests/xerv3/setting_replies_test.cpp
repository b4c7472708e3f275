// The setting reply decoders: what each copies, short replies, and answers that do not fit the
// buffer of the command that waits.
#include "setting_replies.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "result.h"
#include "setting_commands.h"

namespace xerv3 {
namespace {

namespace rq = setting_request;
using devlink::kUnknownReply;

// Decodes `text` as the command waiting under `request` would, into a buffer of exactly the size
// that command's caller gives (so a sanitizer sees any write past it).
struct Decoded {
  int result;
  std::string out;
};

Decoded decode(devlink::Decoder decoder, std::string_view text, int request,
               std::size_t buffer = 0) {
  if (buffer == 0) buffer = setting_output_size(request);
  std::vector<char> out(buffer, '#');
  out.back() = '\0';
  devlink::Store store;
  const std::vector<std::uint8_t> bytes(text.begin(), text.end());
  const int r = decoder(devlink::ReplyEnv{bytes, request, out.data(), store, buffer});
  return {r, std::string(out.data())};
}

struct ReplyCase {
  const char* name;
  devlink::Decoder decoder;
  std::string text;
  int request;
  int result;
  std::string out;
};

TEST(SettingReplies, CopiesTheValuesAfterTheLetters) {
  const std::string untouched(5, '#');
  const ReplyCase cases[] = {
      {"SH", decode_card_inst_end, "SHFF1030", rq::kCardInstEnd, 0, "FF1030"},
      {"SP", setting_decoder<kPowerOnOffReply>, "SP1F0", rq::kPowerOnOff, 0, "1F0"},
      {"SL", setting_decoder<kOperationReply>, "SL01020", rq::kLedOperation, 0, "01020"},
      {"SB", setting_decoder<kOperationReply>, "SB11111", rq::kBuzOperation, 0, "11111"},
      {"SR", setting_decoder<kCommControlReply>, "SR1100000", rq::kCommControl, 0, "1100000"},
      {"SD like SR", setting_decoder<kCommControlReply>, "SD1234567", rq::kCommControl, 0,
       "1234567"},
      {"SN", decode_comm_format, "SN1411020304", rq::kCommFormat, 0, "1411020304"},
      {"SJ", setting_decoder<kSendRangeReply>, "SJ10140", rq::kReadDataSendRange, 0, "10140"},
      {"SM", setting_decoder<kSingleValueReply>, "SM2", rq::kWriteMode, 0, "2"},
      {"SF like SM", setting_decoder<kSingleValueReply>, "SF1", rq::kWriteMode, 0, "1"},
      {"SG", setting_decoder<kSingleValueReply>, "SG3", rq::kLedBuzzerTiming, 0, "3"},
      {"extra characters are not copied", setting_decoder<kSingleValueReply>, "SS12",
       rq::kShutterControl, 0, "1"},
      {"short: what came is copied", setting_decoder<kPowerOnOffReply>, "SP1F", rq::kPowerOnOff,
       kUnknownReply, "1F"},
      {"letters alone", setting_decoder<kSingleValueReply>, "SY", rq::kRetryCount, kUnknownReply,
       ""},
      {"a smaller reply fits a larger buffer", setting_decoder<kSingleValueReply>, "SM2",
       rq::kCardInstEnd, 0, "2"},
      {"SN does not fit SM's buffer", decode_comm_format, "SN1411020304", rq::kWriteMode,
       kUnknownReply, "#"},
      {"SR does not fit SL's buffer", setting_decoder<kCommControlReply>, "SR1100000",
       rq::kLedOperation, kUnknownReply, untouched},
  };
  for (const ReplyCase& c : cases) {
    const Decoded d = decode(c.decoder, c.text, c.request);
    EXPECT_EQ(d.result, c.result) << c.name;
    EXPECT_EQ(d.out, c.out) << c.name;
  }
}

// A mode without its last values answers without them: such a reply is complete, any other
// shorter one is not (what came is still copied).
TEST(SettingReplies, ModesWithoutTheirLastValues) {
  const ReplyCase cases[] = {
      {"SH F0: three characters", decode_card_inst_end, "SHFF0", rq::kCardInstEnd, 0, "FF0"},
      {"SH S0", decode_card_inst_end, "SHRS0", rq::kCardInstEnd, 0, "RS0"},
      {"SH F1 without its time", decode_card_inst_end, "SHFF1", rq::kCardInstEnd, 0, "FF1"},
      {"SH one", decode_card_inst_end, "SHF", rq::kCardInstEnd, kUnknownReply, "F"},
      {"SH two", decode_card_inst_end, "SHFF", rq::kCardInstEnd, kUnknownReply, "FF"},
      {"SH four", decode_card_inst_end, "SHFF1F", rq::kCardInstEnd, kUnknownReply, "FF1F"},
      {"SH five", decode_card_inst_end, "SHFF1F3", rq::kCardInstEnd, kUnknownReply, "FF1F3"},
      {"SH seven: six copied", decode_card_inst_end, "SHFF1F30x", rq::kCardInstEnd, 0, "FF1F30"},
      {"SH letters alone", decode_card_inst_end, "SH", rq::kCardInstEnd, kUnknownReply, ""},
      {"SH does not fit SP's buffer", decode_card_inst_end, "SHFF0", rq::kPowerOnOff,
       kUnknownReply, "###"},
      {"SN modes alone", decode_comm_format, "SN1410", rq::kCommFormat, 0, "1410"},
      {"SN start mode 2 needs the codes", decode_comm_format, "SN2410", rq::kCommFormat,
       kUnknownReply, "2410"},
      {"SN end mode 5 needs the codes", decode_comm_format, "SN1510", rq::kCommFormat,
       kUnknownReply, "1510"},
      {"SN separator mode 1 needs the codes", decode_comm_format, "SN1411", rq::kCommFormat,
       kUnknownReply, "1411"},
      {"SN separator mode 3 needs none here", decode_comm_format, "SN1413", rq::kCommFormat, 0,
       "1413"},
      {"SN three", decode_comm_format, "SN141", rq::kCommFormat, kUnknownReply, "141"},
      {"SN five", decode_comm_format, "SN14100", rq::kCommFormat, kUnknownReply, "14100"},
      {"SN nine", decode_comm_format, "SN141000000", rq::kCommFormat, kUnknownReply,
       "141000000"},
  };
  for (const ReplyCase& c : cases) {
    const Decoded d = decode(c.decoder, c.text, c.request);
    EXPECT_EQ(d.result, c.result) << c.name;
    EXPECT_EQ(d.out, c.out) << c.name;
  }
  // The buffers stay sized for the longest reply.
  EXPECT_EQ(setting_output_size(rq::kCardInstEnd), kCardInstEndReply + 1);
  EXPECT_EQ(setting_output_size(rq::kCommFormat), kCommFormatReply + 1);
}

TEST(SettingReplies, UnaskedReplyWithoutBufferIsHarmless) {
  devlink::Store store;
  const std::vector<std::uint8_t> text{'S', 'N', '1', '4', '1', '1'};
  EXPECT_EQ(decode_comm_format(devlink::ReplyEnv{text, 0, nullptr, store}),
            kUnknownReply);  // short, but nothing is written anywhere
  const std::vector<std::uint8_t> modes{'S', 'H', 'F', 'F', '0'};
  EXPECT_EQ(decode_card_inst_end(devlink::ReplyEnv{modes, 0, nullptr, store}), 0);
  EXPECT_EQ(decode_event_data(devlink::ReplyEnv{text, 0, nullptr, store}), 0);
}

TEST(SettingReplies, EventDataTakesItsLengthFromTheText) {
  EXPECT_EQ(setting_output_size(rq::kEventData), kEventDataMax + 1);
  const std::string longest(kEventDataMax, 'e');
  const ReplyCase cases[] = {
      {"letters alone: no data", decode_event_data, "SE", rq::kEventData, 0, ""},
      {"some data", decode_event_data, "SE0123ABC", rq::kEventData, 0, "0123ABC"},
      {"the longest a frame carries", decode_event_data, "SE" + longest, rq::kEventData, 0,
       longest},
      {"one character fits SM's buffer", decode_event_data, "SE7", rq::kWriteMode, 0, "7"},
      {"more does not fit SM's buffer", decode_event_data, "SE77", rq::kWriteMode, kUnknownReply,
       "#"},
  };
  for (const ReplyCase& c : cases) {
    const Decoded d = decode(c.decoder, c.text, c.request);
    EXPECT_EQ(d.result, c.result) << c.name;
    EXPECT_EQ(d.out, c.out) << c.name;
  }
}

TEST(SettingReplies, EventDataNeverWritesPastItsBound) {
  // Longer than any frame can carry: the decoder still stops at its documented bound.
  const std::string text = "SE" + std::string(kEventDataMax + 50, 'x');
  const Decoded d = decode(decode_event_data, text, rq::kEventData);
  EXPECT_EQ(d.result, 0);
  EXPECT_EQ(d.out, std::string(kEventDataMax, 'x'));
}

}  // namespace
}  // namespace xerv3
