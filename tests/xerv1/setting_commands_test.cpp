// The setting commands: query and set forms with this family's characters.
#include "setting_commands.h"

#include "command_check.h"
#include "command_set.h"
#include "result.h"

namespace xerv1 {
namespace {

using namespace xtest;
using devlink::kBadLength;
using devlink::kBadValue;
using devlink::kNullArg;

TEST(SettingCommands, SingleValueSettings) {
  const std::pair<CommandId, char> settings[] = {{cmd::kBuzzerVolume, 'b'},
                                                 {cmd::kWriteMode, 'c'},
                                                 {cmd::kShutterControl, 'h'},
                                                 {cmd::kResponseFormat, 'o'}};
  for (const auto& [id, letter] : settings) {
    const std::string l(1, letter);
    check(with_value(id, nullptr), sends(l, id.request), l + " null");
    check(with_value(id, ""), sends(l, id.request), l + " empty");
    check(with_value(id, "27"), sends(l + "2", id.request), l + " set");
  }
  EXPECT_EQ(cmd::kResponseFormat.request, 20);
}

TEST(SettingCommands, PowerOnOffAppendsFF) {
  check(power_on_off_setup(nullptr), sends("e", 13), "null");
  check(power_on_off_setup(""), sends("e", 13), "empty");
  check(power_on_off_setup("1"), sends("e1FF", 13), "set");
  check(power_on_off_setup("0R"), sends("e0FF", 13), "first character only");
}

TEST(SettingCommands, TrackInfoAndCommControl) {
  check(track_info_set(nullptr, nullptr, nullptr), sends("j", 14), "query");
  check(track_info_set("", "", ""), sends("j", 14), "empty query");
  check(track_info_set("12", "3", "4"), sends("j134", 14), "set");
  check(track_info_set("1", nullptr, "3"), fails(kNullArg), "a null among values");
  check(track_info_set("1", "", "3"), fails(kBadValue), "an empty among values");

  const char* const none[7] = {};
  check(comm_control_set(none), sends("g", 18), "query");
  const char* const all[7] = {"1", "1", "0", "0", "0", "0", "0"};
  check(comm_control_set(all), sends("g1100000", 18), "set");
}

TEST(SettingCommands, CommFormatSendsUserCodesForSeparatorModesOneAndThree) {
  const char* const query[7] = {"", "", "", "", "", "", ""};
  check(comm_format_set(query), sends("f", 19), "query");
  const char* const plain_format[7] = {"1", "4", "1", "0", "02", "03", "04"};
  check(comm_format_set(plain_format), sends("f1410", 19), "no user codes");
  for (const char* mode : {"1", "3"}) {
    const char* const p[7] = {"1", "4", "1", mode, "02", "03", "04"};
    check(comm_format_set(p), sends(std::string("f141") + mode + "020304", 19), mode);
  }
  const char* const start[7] = {"2", "4", "1", "0", "02", "03", "04"};
  check(comm_format_set(start), sends("f2410020304", 19), "user start code");
  const char* const short_code[7] = {"1", "4", "1", "3", "02", "0", "04"};
  check(comm_format_set(short_code), fails(kBadLength), "a user code of one character");
}

}  // namespace
}  // namespace xerv1
