// The setting command builders: when each sends its query or its set form, the exact text and
// request code, and the argument errors that stop a command before anything is sent.
#include "setting_commands.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "result.h"

namespace xerv3 {
namespace {

using devlink::Command;
using devlink::kBadLength;
using devlink::kBadValue;
using devlink::kNullArg;

constexpr const char* N = nullptr;

// One builder call and what it must give: a text and request code, or an error (nothing sent).
struct Case {
  const char* name;
  Command got;
  int error;
  std::string text;
};

Case sends(const char* name, Command got, std::string text) {
  return {name, std::move(got), 0, std::move(text)};
}
Case fails(const char* name, Command got, int error) {
  return {name, std::move(got), error, ""};
}

void check(std::initializer_list<Case> cases, int request) {
  for (const Case& c : cases) {
    EXPECT_EQ(c.got.error, c.error) << c.name;
    if (c.error != 0) {
      EXPECT_EQ(c.got.length, 0u) << c.name << ": an argument error sends nothing";
      continue;
    }
    EXPECT_EQ(std::string(c.got.view()), c.text) << c.name;
    EXPECT_EQ(c.got.request, request) << c.name;
  }
}

TEST(SettingCommands, CardInstEndSet) {
  const auto sh = card_inst_end_set;
  check(
      {
          sends("all null: query", sh(N, N, N), "SH"),
          sends("all empty: query", sh("", "", ""), "SH"),
          sends("F1 with a three-character value", sh("F", "F1", "030"), "SHFF1030"),
          sends("R1 without the value", sh("R", "R1", N), "SHRR1"),
          sends("R1 with an empty value", sh("F", "R1", ""), "SHFR1"),
          sends("S0", sh("R", "S0", ""), "SHRS0"),
          sends("F0 with a null value", sh("F", "F0", N), "SHFF0"),
          fails("S1 is no mode", sh("F", "S1", ""), kBadValue),
          fails("F0 takes no value", sh("F", "F0", "030"), kBadLength),
          fails("F1 value of two characters", sh("F", "F1", "03"), kBadLength),
          fails("F1 value of four characters", sh("F", "F1", "0304"), kBadLength),
          fails("p1 not F or R", sh("S", "F1", ""), kBadValue),
          fails("p1 two characters", sh("FR", "F1", ""), kBadLength),
          fails("p1 empty beside given values", sh("", "F1", ""), kBadLength),
          fails("p1 null beside given values", sh(N, "F1", "030"), kNullArg),
          fails("p2 null beside p1", sh("F", N, N), kNullArg),
          fails("p2 one character", sh("F", "F", N), kBadLength),
          fails("p2 three characters", sh("F", "F10", N), kBadLength),
      },
      setting_request::kCardInstEnd);
}

TEST(SettingCommands, EventDataSet) {
  check(
      {
          sends("empty: query", event_data_set(""), "SE"),
          sends("null: query", event_data_set(N), "SE"),
          sends("E, the last allowed", event_data_set("E"), "SEE"),
          sends("0, the first allowed", event_data_set("0"), "SE0"),
          sends("@ lies between 0 and E", event_data_set("@"), "SE@"),
          sends("only the first character", event_data_set("E9"), "SEE"),
          fails("F is past E", event_data_set("F"), kBadValue),
          fails("/ is before 0", event_data_set("/"), kBadValue),
          fails("a byte above 7Fh", event_data_set("\xC1"), kBadValue),
      },
      setting_request::kEventData);
}

TEST(SettingCommands, PowerOnOffOperationSetup) {
  const auto sp = power_on_off_setup;
  check(
      {
          sends("all null: query", sp(N, N, N), "SP"),
          sends("all empty: query", sp("", "", ""), "SP"),
          sends("1 F 0", sp("1", "F", "0"), "SP1F0"),
          sends("0 R R", sp("0", "R", "R"), "SP0RR"),
          sends("first characters only", sp("1x", "Fy", "Fz"), "SP1FF"),
          fails("2 is no p1", sp("2", "F", "0"), kBadValue),
          fails("0 is no p2", sp("1", "0", "0"), kBadValue),
          fails("1 is no p3", sp("1", "F", "1"), kBadValue),
          fails("an empty value beside given ones", sp("1", "", "0"), kBadValue),
          fails("a null value beside given ones", sp("1", N, "0"), kNullArg),
      },
      setting_request::kPowerOnOff);
}

TEST(SettingCommands, LedAndBuzzerOperationSetup) {
  using Five = std::array<const char*, 5>;
  struct Operation {
    Command (*build)(std::span<const char* const, 5>);
    const char* letters;
    int request;
  };
  for (const auto& [build, letters, request] :
       {Operation{led_operation_setup, "SL", setting_request::kLedOperation},
        Operation{buz_operation_setup, "SB", setting_request::kBuzOperation}}) {
    const std::string l = letters;
    check(
        {
            sends("all null: query", build(Five{N, N, N, N, N}), l),
            sends("all empty: query", build(Five{"", "", "", "", ""}), l),
            sends("five values", build(Five{"0", "1", "0", "2", "0"}), l + "01020"),
            fails("a two-character value", build(Five{"0", "1", "0", "20", "0"}), kBadLength),
            fails("an empty value", build(Five{"0", "", "0", "2", "0"}), kBadLength),
            fails("a null value", build(Five{"0", "1", "0", "2", N}), kNullArg),
        },
        request);
  }
}

TEST(SettingCommands, CommControlSet) {
  using Seven = std::array<const char*, 7>;
  check(
      {
          sends("all null: query", comm_control_set(Seven{N, N, N, N, N, N, N}), "SR"),
          sends("all empty: query", comm_control_set(Seven{"", "", "", "", "", "", ""}), "SR"),
          sends("first characters", comm_control_set(Seven{"1", "10", "0", "0", "0", "0", "9"}),
                "SR1100009"),
          fails("a null value", comm_control_set(Seven{"1", "1", N, "0", "0", "0", "0"}), kNullArg),
          fails("an empty value", comm_control_set(Seven{"1", "1", "0", "0", "", "0", "0"}),
                kBadValue),
      },
      setting_request::kCommControl);
}

TEST(SettingCommands, CommFormatSet) {
  using Seven = std::array<const char*, 7>;
  const auto sn = [](Seven p) { return comm_format_set(p); };
  check(
      {
          sends("all null: query", sn({N, N, N, N, N, N, N}), "SN"),
          sends("all empty: query", sn({"", "", "", "", "", "", ""}), "SN"),
          sends("p4 0: six characters", sn({"1", "4", "1", "0", "02", "03", "04"}), "SN1410"),
          sends("p4 1: twelve characters", sn({"1", "4", "1", "1", "02", "03", "04"}),
                "SN1411020304"),
          sends("p1 2 sends the user codes", sn({"2", "4", "1", "0", "1B", "0D", "1F"}),
                "SN24101B0D1F"),
          sends("p2 5 sends the user codes", sn({"1", "5", "1", "0", "1B", "0D", "1F"}),
                "SN15101B0D1F"),
          sends("p4 3 does not (only 1 does here)", sn({"1", "4", "1", "3", "1B", "0D", "1F"}),
                "SN1413"),
          sends("user codes not looked at when unsent", sn({"1", "4", "1", "0", N, N, N}),
                "SN1410"),
          fails("a user code too short when sent", sn({"1", "4", "1", "1", "02", "3", "04"}),
                kBadLength),
          fails("a user code null when sent", sn({"1", "4", "1", "1", "02", "03", N}), kNullArg),
          fails("p3 empty", sn({"1", "4", "", "1", "02", "03", "04"}), kBadValue),
          fails("p1 null", sn({N, "4", "1", "0", "", "", ""}), kNullArg),
      },
      setting_request::kCommFormat);
}

TEST(SettingCommands, ReadDataSendRangeSet) {
  const auto sj = read_data_send_range_set;
  check(
      {
          sends("p1 alone", sj("1", N, N), "SJ1"),
          sends("p2 and p3 empty", sj("1", "", ""), "SJ1"),
          sends("p1 with both ranges", sj("1", "01", "40"), "SJ10140"),
          sends("first two characters of each range", sj("1", "012", "409"), "SJ10140"),
          fails("p1 empty even with ranges", sj("", "01", "40"), kBadLength),
          fails("p1 null", sj(N, "01", "40"), kNullArg),
          fails("no query form", sj(N, N, N), kNullArg),
          fails("a range of one character", sj("1", "0", "40"), kBadLength),
          fails("an empty range beside a given one", sj("1", "01", ""), kBadLength),
          fails("a null range beside a given one", sj("1", N, "40"), kNullArg),
      },
      setting_request::kReadDataSendRange);
}

TEST(SettingCommands, SingleValueSettings) {
  struct Single {
    Command (*build)(const char*);
    std::string letters;
    int request;
  };
  const Single singles[] = {
      {write_mode_set, "SM", setting_request::kWriteMode},
      {shutter_control_set, "SS", setting_request::kShutterControl},
      {retry_action_count_set, "SY", setting_request::kRetryCount},
      {buzzer_volume_set, "SV", setting_request::kBuzzerVolume},
      {led_buzzer_timing_set, "SG", setting_request::kLedBuzzerTiming},
  };
  for (const Single& s : singles) {
    check(
        {
            sends("empty: query", s.build(""), s.letters),
            sends("null: query", s.build(N), s.letters),
            sends("one value", s.build("2"), s.letters + "2"),
            sends("first character only", s.build("31"), s.letters + "3"),
        },
        s.request);
  }
}

}  // namespace
}  // namespace xerv3
