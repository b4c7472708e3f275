// The control language: words, tracks and bytes, and each line's effect on the reader.
#include "control.h"

#include <gtest/gtest.h>

#include "sim_fixture.h"
#include "test_env.h"

namespace {

using xsim::run_control;
using xsim::Track;

TEST(ControlWords, QuotesEscapesAndComments) {
  std::vector<xsim::Word> w;
  std::string error;
  ASSERT_TRUE(xsim::split_words(R"(card "A B" - !3 "x\x1Fy\"" # the rest)", w, error));
  ASSERT_EQ(w.size(), 5u);
  EXPECT_EQ(w[1].text, "A B");
  EXPECT_TRUE(w[1].quoted);
  EXPECT_EQ(w[4].text, "x\x1Fy\"");
  EXPECT_FALSE(xsim::split_words(R"(card "open)", w, error));
  EXPECT_FALSE(xsim::split_words(R"(card "\x4")", w, error));
  ASSERT_TRUE(xsim::split_words("   # only a comment", w, error));
  EXPECT_TRUE(w.empty());
}

TEST(ControlWords, TracksAndBytes) {
  Track t;
  ASSERT_TRUE(xsim::parse_track({"-", false}, t));
  EXPECT_EQ(t, Track::none());
  ASSERT_TRUE(xsim::parse_track({"!8", false}, t));
  EXPECT_EQ(t, Track::error(8));
  ASSERT_TRUE(xsim::parse_track({"!3", true}, t));  // quoted: data
  EXPECT_EQ(t, Track::text("!3"));
  EXPECT_FALSE(xsim::parse_track({"!9", false}, t));
  EXPECT_FALSE(xsim::parse_track({"!", false}, t));

  xsim::Bytes b;
  ASSERT_TRUE(
      xsim::parse_bytes({{"garbage", false}, {"02", false}, {"4142", false}, {"Z", true}}, 1, b));
  EXPECT_EQ(b, (xsim::Bytes{0x02, 0x41, 0x42, 'Z'}));
  EXPECT_FALSE(xsim::parse_bytes({{"x", false}, {"123", false}}, 1, b));
  EXPECT_FALSE(xsim::parse_bytes({{"x", false}, {"GG", false}}, 1, b));
}

class ControlTest : public ::testing::Test {
 protected:
  xsim::Options options() {
    xsim::Options o;
    o.dir = xtest::com_dir();
    o.log = [](std::string_view) {};
    return o;
  }
  xsim::VirtualReader reader{options()};
};

TEST_F(ControlTest, LinesChangeTheReader) {
  EXPECT_TRUE(run_control(reader, "card ABC - !3 \"J I\"").ok);
  EXPECT_TRUE(run_control(reader, "model 7").ok);
  EXPECT_TRUE(run_control(reader, "set SS 1").ok);
  EXPECT_TRUE(run_control(reader, "set h 0").ok);  // the XERV1 letter of the same setting
  EXPECT_TRUE(run_control(reader, "set SJ 20AF0").ok);
  EXPECT_TRUE(run_control(reader, "dip 10101010").ok);
  EXPECT_TRUE(run_control(reader, "ic 3B00 6A82").ok);
  EXPECT_TRUE(run_control(reader, "").ok);
  reader.with_state([](const xsim::ReaderState& s) {
    EXPECT_EQ(s.model, 7u);
    EXPECT_EQ(s.dip_switches, "10101010");
    EXPECT_EQ(s.settings.value("SS"), "0");
    EXPECT_EQ(s.settings.value("SJ2"), "20AF0");
    EXPECT_EQ(s.ic.card->atr, (xsim::Bytes{0x3B, 0x00}));
    EXPECT_EQ(s.ic.card->response, (xsim::Bytes{0x6A, 0x82}));
    EXPECT_EQ(s.cards.size(), 1u);
    EXPECT_EQ(s.cards.front().tracks[0], Track::text("ABC"));
    EXPECT_EQ(s.cards.front().tracks[1], Track::none());
    EXPECT_EQ(s.cards.front().tracks[2], Track::error(3));
    EXPECT_EQ(s.cards.front().tracks[3], Track::text("J I"));
    return 0;
  });
  EXPECT_TRUE(run_control(reader, "remove").ok);
  EXPECT_TRUE(run_control(reader, "protocol xerv1").ok);
  EXPECT_EQ(reader.protocol(), xsim::Protocol::Xerv1);
  EXPECT_EQ(reader.eeprom()[xsim::kProtocolByte], xsim::kProtocolXerv1);
  EXPECT_FALSE(run_control(reader, "event 12").ok);  // XERV1 has no events
  EXPECT_TRUE(run_control(reader, "quit").quit);
}

// What the tool's pages read: EEPROM bytes, the version and the DIP switches, set by control
// lines and answered on the line.
TEST_F(ControlTest, EepromVersionAndDipSwitchesAreAnsweredAsSet) {
  EXPECT_TRUE(run_control(reader, "eeprom 45 03").ok);
  EXPECT_TRUE(run_control(reader, "eeprom 08 07").ok);
  EXPECT_TRUE(run_control(reader, "eeprom 7F ff").ok);
  EXPECT_TRUE(run_control(reader, "version \"KVX1 9.87 250102\"").ok);
  EXPECT_TRUE(run_control(reader, "dip 00001000").ok);
  EXPECT_TRUE(reader.set_eeprom("18", 0x00));
  EXPECT_EQ(reader.eeprom()[0x45], 0x03);
  EXPECT_EQ(reader.eeprom()[0x08], 0x07);
  EXPECT_EQ(reader.eeprom()[0x7F], 0xFF);
  EXPECT_EQ(reader.eeprom()[0x18], 0x00);
  EXPECT_NE(run_control(reader, "show eeprom").output.find("4: 0000000000030000 "),
            std::string::npos);
  EXPECT_NE(run_control(reader, "show").output.find("version   KVX1 9.87 250102"),
            std::string::npos);

  reader.start();
  simtest::Host host(reader.link_path());
  EXPECT_EQ(host.ask("EO" + xsim::default_access_code(xsim::Protocol::Xerv3)), "<ACK>");
  EXPECT_EQ(host.ask("ER45"), "ER4503");
  EXPECT_EQ(host.ask("ER08"), "ER0807");
  EXPECT_EQ(host.ask("VR"), "VRKVX1 9.87 250102");
  EXPECT_EQ(host.ask("PT0"), "PT0000001000");
  EXPECT_TRUE(reader.set_version("XSIM3 1.00240601"));
  EXPECT_EQ(host.ask("VR"), "VRXSIM3 1.00240601");
}

TEST_F(ControlTest, EepromAndVersionRefuseWhatTheyCannotHold) {
  EXPECT_FALSE(reader.set_version("XSIM3 1.0024060"));    // 15 characters
  EXPECT_FALSE(reader.set_version("XSIM3 1.002406011"));  // 17
  for (const char* address : {"80", "4*", "**", "4a", "4", "450", ""})
    EXPECT_FALSE(reader.set_eeprom(address, 1)) << address;
  const auto before = reader.eeprom();
  const char* bad[] = {"eeprom",        "eeprom 45",     "eeprom 45 3",  "eeprom 45 GG",
                       "eeprom 45 003", "eeprom 80 00",  "eeprom 4* 00", "eeprom 45 03 04",
                       "version",       "version short", "version a b"};
  for (const char* line : bad) {
    const xsim::ControlResult r = run_control(reader, line);
    EXPECT_FALSE(r.ok) << line;
    EXPECT_NE(r.output.find("usage: "), std::string::npos) << line;
  }
  EXPECT_EQ(reader.eeprom(), before);
  EXPECT_NE(run_control(reader, "version x").output.find("16 characters"), std::string::npos);
}

TEST_F(ControlTest, BadLinesAreRefusedWithTheirUsage) {
  const char* bad[] = {
      "bogus",          "card",         "card a b c d e", "card !0",  "model x",     "model",
      "dip 123",        "set SS 7",     "set XX 1",       "set SJ",   "event 100",   "error",
      "protocol xerv2", "nak -1",       "split",          "hangup x", "garbage",     "garbage 4",
      "trace maybe",    "show nothing", "sleep",          "ic GG",    "card \"open",
  };
  for (const char* line : bad) {
    const xsim::ControlResult r = run_control(reader, line);
    EXPECT_FALSE(r.ok) << line;
    EXPECT_FALSE(r.output.empty()) << line;
  }
}

TEST_F(ControlTest, ShowAndHelpDescribeTheReader) {
  EXPECT_NE(run_control(reader, "show settings").output.find("SS = 0"), std::string::npos);
  EXPECT_NE(run_control(reader, "show eeprom").output.find("2: "), std::string::npos);
  EXPECT_NE(run_control(reader, "show").output.find("model     101"), std::string::npos);
  const std::string help = run_control(reader, "help").output;
  for (const char* verb : {"card", "event", "nak", "silent", "garbage", "bad-bcc", "split",
                           "hangup", "reconnect", "model", "dip", "version", "eeprom", "show"}) {
    EXPECT_NE(help.find(std::string("  ") + verb), std::string::npos) << verb;
  }
}

}  // namespace
