// A library tested as a host program uses it: a scripted reader on COM2 with the port open, the
// report polling every host does, and the check that no export works without a port.
// Header-only: the library the test links supplies the exports.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "pty_reader.h"
#include "xerv/xerv_common.h"

namespace xtest {

class HostTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_EQ(rs_PortOpen(reader.port().c_str()), 0); }
  void TearDown() override {
    reader.stop_answering();
    rs_PortClose();
  }
  PtyReader reader{2};

  // An export that fills the caller's buffer, the frame it sends and the buffer's text after the
  // reader's answer.
  struct BufferExchange {
    const char* name;
    std::function<int32_t(char*)> call;
    std::size_t size;   // the buffer the header asks for
    std::string wire;   // the command text the library frames
    std::string reply;  // the reader's answer
    std::string out;    // what the buffer then holds
  };

  // Runs call with a buffer of exactly `size` bytes (so a sanitizer sees any write past it) while
  // the reader answers every frame with `answer`. Returns the result; out receives the buffer's
  // text.
  int32_t run(const std::function<int32_t(char*)>& call, std::size_t size, const Bytes& answer,
              std::string& out) {
    reader.answer_with([&](const Bytes&) { return answer; });
    std::vector<char> buffer(size, '#');
    buffer.back() = '\0';
    const int32_t r = call(buffer.data());
    reader.stop_answering();
    out = buffer.data();
    return r;
  }
};

// Polls GetStatus until one of `bits` is set, at most two seconds; returns the last status.
inline std::int32_t wait_for_status(std::int32_t bits) {
  std::int32_t status = 0;
  for (int i = 0; i < 200 && (status & bits) == 0; ++i) {
    EXPECT_EQ(GetStatus(&status), 0);
    if ((status & bits) == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return status;
}

using NamedCall = std::pair<const char*, std::function<int()>>;

// Every call gives -1 before the port is opened and after it is closed, and sends nothing.
inline void expect_minus_one_without_port(std::span<const NamedCall> calls) {
  PtyReader reader{4};
  for (const auto& [name, call] : calls) EXPECT_EQ(call(), -1) << name << " before open";
  ASSERT_EQ(rs_PortOpen(reader.port().c_str()), 0);
  ASSERT_EQ(rs_PortClose(), 0);
  for (const auto& [name, call] : calls) EXPECT_EQ(call(), -1) << name << " after close";
  EXPECT_TRUE(reader.read_for(std::chrono::milliseconds(100)).empty());
}

}  // namespace xtest
