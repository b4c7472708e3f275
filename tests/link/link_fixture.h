// A device with a test profile (short time-out) and a scripted reader on COM1.
#pragma once

#include <gtest/gtest.h>

#include <chrono>

#include "device.h"
#include "pty_reader.h"

namespace xtest {

inline constexpr devlink::ReplyRule kTestReplies[] = {
    {"NG", devlink::ReplyKind::Ng},
    {"AE", devlink::ReplyKind::Event},
    {"DH", devlink::ReplyKind::Error},
    {"CR", devlink::ReplyKind::CardData},
    {"CW", devlink::ReplyKind::WriteResult},
    {"VR", devlink::ReplyKind::Data, devlink::copy_decoder<2, 16>},
};

inline devlink::LinkProfile test_profile(bool xerv1 = false) {
  return devlink::LinkProfile{
      .protocol = xerv1 ? devlink::Protocol::Xerv1 : devlink::Protocol::Xerv3,
      .answer_timeout = std::chrono::milliseconds(400),
      .dle_is_error = xerv1,
      .letters = xerv1 ? 1u : 2u,
      .keep_frame_without_start = xerv1,
      .two_byte_control_request = xerv1 ? 9 : 0,
      .default_data_bits = static_cast<std::uint8_t>(xerv1 ? 7 : 8),
      .replies = kTestReplies,
  };
}

class LinkTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(device.port_open(reader.port().c_str()), 0); }
  void TearDown() override { device.port_close(); }

  // Sends `text` as a command with request code `request`; out (32 bytes) receives its reply.
  int send(std::string_view text, int request = 36, char* out = nullptr) {
    return device.command(
        [&](devlink::Store&, devlink::FrameFormat&) { return devlink::Command::make(request, text); },
        out, out == nullptr ? 0 : 32);
  }
  std::int32_t status() {
    std::int32_t s = -1;
    device.get_status(&s);
    return s;
  }

  PtyReader reader{1};
  devlink::LinkProfile profile = test_profile();
  devlink::Device device{profile};
};

}  // namespace xtest
