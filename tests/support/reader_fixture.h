// A library as a host program uses it, against the virtual reader on a pseudo-terminal: the
// reader runs in the test process, the library opens its COM link like any serial port.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "test_env.h"
#include "virtual_reader.h"
#include "xerv/xerv_common.h"

// Both libraries export these: the first with its own table of codes, the EEPROM access alike.
extern "C" int32_t Connection_Model_Setup(const uint32_t* code);
extern "C" int32_t EE_Open(void);
extern "C" int32_t EE_Read(const char* address, char* out);
extern "C" int32_t EE_Close(void);

namespace xtest {

using namespace std::chrono_literals;
using xsim::Card;
using xsim::Track;

constexpr const char* N = nullptr;

inline xsim::Options reader_options(xsim::Protocol protocol) {
  xsim::Options o;
  o.protocol = protocol;
  o.com = 3;
  o.dir = xtest::com_dir();
  return o;
}

// The fixture of one library's tests: the reader speaks `P` from the start.
template <xsim::Protocol P>
class ReaderTest : public ::testing::Test {
 protected:
  void SetUp() override { start(reader_options(P)); }
  void TearDown() override {
    rs_PortClose();
    if (reader) reader->stop();
  }

  // Starts a reader with other options than the usual (after stopping the running one).
  void start(xsim::Options o) {
    if (reader) {
      rs_PortClose();
      reader->stop();
    }
    reader = std::make_unique<xsim::VirtualReader>(std::move(o));
    reader->start();
    ASSERT_EQ(rs_PortOpen(reader->port().c_str()), 0);
  }

  // The same connection model on both sides.
  void use_model(std::uint32_t code) {
    reader->set_model(code);
    ASSERT_EQ(Connection_Model_Setup(&code), 0);
  }

  // Polls GetStatus until one of `bits` is set, at most three seconds; returns the last status.
  static std::int32_t wait_status(std::int32_t bits) {
    std::int32_t status = 0;
    const auto deadline = std::chrono::steady_clock::now() + 3s;
    while (std::chrono::steady_clock::now() < deadline) {
      EXPECT_EQ(GetStatus(&status), 0);
      if ((status & bits) != 0) break;
      std::this_thread::sleep_for(10ms);
    }
    return status;
  }

  // The command text of the last frame the reader took.
  std::string last_command() const {
    const auto frames = reader->received();
    return frames.empty() ? std::string() : frames.back().text;
  }

  std::unique_ptr<xsim::VirtualReader> reader;
};

// One setting of the reader: its query and set forms through the library, and the value before
// and after the set form.
using SettingCall = std::function<int32_t(char*)>;

struct SettingRow {
  const char* name;  // the reader's name of the setting
  std::size_t size;  // the buffer the header asks for
  SettingCall query;
  SettingCall set;
  std::string initial;  // the reader's value before
  std::string updated;  // and after the set form
};

inline void PrintTo(const SettingRow& row, std::ostream* os) {
  *os << row.name;
}

template <xsim::Protocol P>
class SettingTest : public ReaderTest<P>, public ::testing::WithParamInterface<SettingRow> {
 protected:
  // Runs a call with a buffer of exactly the header's size; returns the buffer's text.
  std::string run(const SettingCall& call) {
    std::vector<char> buffer(this->GetParam().size, '#');
    buffer.back() = '\0';
    EXPECT_EQ(call(buffer.data()), 0);
    return buffer.data();
  }
};

// The four per-track results and lengths of GetCard_Result.
struct CardResult {
  std::int32_t r[4] = {};
  std::int32_t l[4] = {};
};

inline CardResult card_result() {
  CardResult c;
  EXPECT_EQ(GetCard_Result(&c.r[0], &c.r[1], &c.r[2], &c.r[3], &c.l[0], &c.l[1], &c.l[2], &c.l[3]),
            0);
  return c;
}

// Every track's data through GetTrk1Data..GetTrk4Data, checked against its length.
inline std::vector<std::string> track_texts() {
  using Getter = int32_t (*)(int32_t*, char*);
  const Getter getters[] = {GetTrk1Data, GetTrk2Data, GetTrk3Data, GetTrk4Data};
  std::vector<std::string> out;
  for (const Getter get : getters) {
    char buffer[111] = {};
    std::int32_t length = -1;
    EXPECT_EQ(get(&length, buffer), 0);
    const std::string text(buffer);
    EXPECT_EQ(static_cast<std::size_t>(length), text.size());
    out.push_back(text);
  }
  return out;
}

// The reader's EEPROM as the libraries give it: upper-case hexadecimal text, two digits a byte.
inline std::string eeprom_hex(const std::array<std::uint8_t, xsim::kEepromSize>& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (const std::uint8_t b : bytes) {
    out += digits[b >> 4];
    out += digits[b & 0x0F];
  }
  return out;
}

// One EEPROM byte read through the library's EEPROM access, as two hexadecimal digits.
inline std::string eeprom_byte(const char* address) {
  char out[3] = {};
  EXPECT_EQ(EE_Open(), 0);
  EXPECT_EQ(EE_Read(address, out), 0);
  EXPECT_EQ(EE_Close(), 0);
  return out;
}

}  // namespace xtest
