#include "frame_format.h"

#include <gtest/gtest.h>

#include "pty_reader.h"

namespace {

using devlink::FrameCheck;
using devlink::FrameFormat;
using xtest::Bytes;
using xtest::bytes;
using xtest::framed;

FrameFormat format(std::uint8_t start, std::uint8_t end, std::uint8_t bcc, std::uint8_t user_start = 0,
                   std::uint8_t user_end = 0) {
  FrameFormat f;
  f.set_start(start, user_start);
  f.set_end(end, user_end);
  f.set_bcc(bcc);
  return f;
}

struct BuildCase {
  const char* name;
  FrameFormat format;
  const char* text;
  Bytes wire;
};

TEST(FrameBuild, WireBytesInEveryMode) {
  const BuildCase cases[] = {
      {"default VR", {}, "VR", {0x02, 'V', 'R', 0x03, 0x07}},
      {"default CR", {}, "CR", {0x02, 'C', 'R', 0x03, 0x12}},
      {"bcc 2, end CR LF", format(1, 3, 2), "A", {0x02, 'A', 0x0D, 0x0A, '4', '6', 0x0D}},
      {"user start 1B", format(2, 4, 1, 0x1B), "A", {0x1B, 'A', 0x03, 0x41 ^ 0x03}},
      {"start mode 1 ignores user code", format(1, 4, 1, 0x1B), "A", {0x02, 'A', 0x03, 0x42}},
      {"no start, no end, no bcc", format(0, 0, 0), "AB", {'A', 'B'}},
      {"end CR", format(1, 1, 0), "A", {0x02, 'A', 0x0D}},
      {"end LF", format(1, 2, 0), "A", {0x02, 'A', 0x0A}},
      {"user end 7E", format(1, 5, 1, 0, 0x7E), "A", {0x02, 'A', 0x7E, 0x41 ^ 0x7E}},
      {"end mode 9 is ETX", format(1, 9, 0), "A", {0x02, 'A', 0x03}},
      {"bcc mode 7 is none", format(1, 4, 7), "A", {0x02, 'A', 0x03}},
      {"hex bcc letters", format(0, 4, 2), "\x5A", {0x5A, 0x03, '5', '9', 0x0D}},
  };
  for (const auto& c : cases) {
    devlink::Frame f;
    ASSERT_TRUE(devlink::build_frame(c.format, bytes(c.text), f)) << c.name;
    EXPECT_EQ(Bytes(f.bytes.begin(), f.bytes.begin() + static_cast<long>(f.length)), c.wire)
        << c.name;
  }
}

TEST(FrameBuild, RefusesTextThatWouldOverrunTheFrameBuffer) {
  devlink::Frame f;
  EXPECT_TRUE(devlink::build_frame({}, Bytes(401, 'A'), f));  // 1 + 401 + 1 + 1 = 404
  EXPECT_FALSE(devlink::build_frame({}, Bytes(402, 'A'), f));
}

struct CheckCase {
  const char* name;
  FrameFormat format;
  Bytes received;
  bool two_byte_control;
  FrameCheck check;
  std::string text;  // for Text; the control byte as one char for Control
};

TEST(FrameCheck, Outcomes) {
  const FrameFormat bcc2 = format(1, 4, 2);
  const CheckCase cases[] = {
      {"ack", {}, {0x06}, false, FrameCheck::Control, "\x06"},
      {"ack + CR in bcc mode 2", bcc2, {0x06, 0x0D}, false, FrameCheck::Control, "\x06"},
      {"ack + CR in bcc mode 1 has no start", {}, {0x06, 0x0D}, false, FrameCheck::NoStart, ""},
      {"two bytes while a reset waits", {}, {0x10, 0x55}, true, FrameCheck::Control, "\x10"},
      {"good frame", {}, framed("VR0123"), false, FrameCheck::Text, "VR0123"},
      {"garbage before start", {}, [] { Bytes b{'x', 'y'}; auto f = framed("PS1"); b.insert(b.end(), f.begin(), f.end()); return b; }(), false, FrameCheck::Text, "PS1"},
      {"ETX inside text: last one counts", {}, framed("A\x03" "B"), false, FrameCheck::Text, "A\x03" "B"},
      {"wrong bcc", {}, {0x02, 'V', 'R', 0x03, 0x08}, false, FrameCheck::BadFrame, ""},
      {"no end code", {}, {0x02, 'V', 'R', 0x07}, false, FrameCheck::BadFrame, ""},
      {"truncated", {}, {0x02, 'V'}, false, FrameCheck::BadFrame, ""},
      {"hex bcc good", bcc2, framed("NG012", bcc2), false, FrameCheck::Text, "NG012"},
      {"hex bcc lower case", bcc2, {0x02, 'H', 0x03, '4', 'b', 0x0D}, false, FrameCheck::BadFrame, ""},
      {"hex bcc without CR", bcc2, {0x02, 'A', 0x03, '4', '2', 0x0A}, false, FrameCheck::BadFrame, ""},
      {"CR LF end", format(1, 3, 2), framed("AB", format(1, 3, 2)), false, FrameCheck::Text, "AB"},
      {"no start mode", format(0, 4, 1), framed("AB", format(0, 4, 1)), false, FrameCheck::Text, "AB"},
      {"no end mode", format(1, 0, 1), framed("AB", format(1, 0, 1)), false, FrameCheck::Text, "AB"},
      {"no start found", {}, {'V', 'R', 0x03, 0x07}, false, FrameCheck::NoStart, ""},
  };
  for (const auto& c : cases) {
    const auto r = devlink::check_frame(c.format, c.received, c.two_byte_control);
    ASSERT_EQ(r.check, c.check) << c.name;
    if (c.check == FrameCheck::Text) {
      EXPECT_EQ(std::string(c.received.begin() + static_cast<long>(r.text_begin),
                            c.received.begin() + static_cast<long>(r.text_begin + r.text_length)),
                c.text)
          << c.name;
    }
    if (c.check == FrameCheck::Control) {
      EXPECT_EQ(r.control_byte, static_cast<std::uint8_t>(c.text[0])) << c.name;
    }
  }
}

TEST(FrameCheck, AnyBytesNeverReadOutOfBounds) {
  // Every short buffer of a few interesting bytes in every format: the checks must stay in range.
  const std::uint8_t alphabet[] = {0x02, 0x03, 0x0D, 0x0A, 'A', '0'};
  for (std::uint8_t s = 0; s <= 2; ++s)
    for (std::uint8_t e = 0; e <= 5; ++e)
      for (std::uint8_t b = 0; b <= 2; ++b) {
        const FrameFormat f = format(s, e, b, 0x02, 0x03);
        for (int len = 0; len <= 5; ++len) {
          int combos = 1;
          for (int i = 0; i < len; ++i) combos *= 6;
          for (int k = 0; k < combos; ++k) {
            Bytes buf;
            int v = k;
            for (int i = 0; i < len; ++i, v /= 6) buf.push_back(alphabet[v % 6]);
            (void)devlink::check_frame(f, buf, len == 2);
          }
        }
      }
}

}  // namespace
