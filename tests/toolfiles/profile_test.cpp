// The INI reader: Windows private-profile semantics over already decoded text.
#include "profile.h"

#include <gtest/gtest.h>

#include <string>

#include "file_fixture.h"

namespace xtool::files {
namespace {

constexpr std::string_view kIni =
    "orphan=before any section\n"
    "[Messages]\n"
    "Msg_Upper=first\n"
    "msg_upper=second\n"
    "  padded key \t=\t  padded value \t \n"
    "double=\"quoted value\"\n"
    "single='single'\n"
    "spaced=\"  kept inside  \"\n"
    "mismatch=\"half'\n"
    "lone=\"\n"
    "twice=\"\"x\"\"\n"
    "equals=a=b=c\n"
    "empty=\n"
    ";commented=out\n"
    "  ;indented=comment\n"
    "no equals sign here\n"
    "\n"
    "  [frmMain]   text after the bracket is ignored\r\n"
    "PageSetInfo.Pages[0].Caption=Communication\r\n"
    "rdgProtocol.Items1=XERV1\r"
    "key.with;semicolon=yes\r"
    "[messages]\n"
    "Msg_Upper=from the repeated section\n"
    "only_in_repeat=hidden\n"
    "[]\n"
    "nameless=section\n"
    "[broken\n"
    "after_broken=in the nameless section\n";

struct GetCase {
  const char* section;
  const char* key;
  const char* expected;
};

TEST(Profile, GivesTheValueOrTheDefault) {
  const Profile profile = Profile::parse(kIni);
  const GetCase cases[] = {
      {"Messages", "Msg_Upper", "first"},  // the first key of a name wins
      {"MESSAGES", "MSG_UPPER", "first"},  // names compare without case
      {"Messages", "padded key", "padded value"},
      {"Messages", "double", "quoted value"},
      {"Messages", "single", "single"},
      {"Messages", "spaced", "  kept inside  "},
      {"Messages", "mismatch", "\"half'"},
      {"Messages", "lone", "\""},
      {"Messages", "twice", "\"x\""},  // one pair only
      {"Messages", "equals", "a=b=c"},
      {"Messages", "empty", ""},
      {"Messages", "commented", "0"},
      {"Messages", ";commented", "0"},
      {"Messages", "indented", "0"},
      {"Messages", "no equals sign here", "0"},
      {"Messages", "only_in_repeat", "0"},  // the first section of a name wins
      {"Messages", "orphan", "0"},          // keys before any section are never found
      {"", "orphan", "0"},
      {"frmMain", "PageSetInfo.Pages[0].Caption", "Communication"},
      {"FRMMAIN", "rdgprotocol.items1", "XERV1"},  // lines ending in a bare CR
      {"frmMain", "key.with;semicolon", "yes"},
      {"", "nameless", "section"},
      {"", "after_broken", "in the nameless section"},  // a broken header changes nothing
      {"broken", "after_broken", "0"},
      {"Missing", "Msg_Upper", "0"},
      {"Messages", "Missing", "0"},
  };
  for (const GetCase& c : cases) {
    EXPECT_EQ(profile.get(c.section, c.key, "0"), c.expected) << c.section << " / " << c.key;
  }
}

TEST(Profile, HasTellsAnEmptyValueFromAMissingKey) {
  const Profile profile = Profile::parse(kIni);
  EXPECT_TRUE(profile.has("messages", "EMPTY"));
  EXPECT_EQ(profile.get("Messages", "empty", "default"), "");
  EXPECT_FALSE(profile.has("Messages", "missing"));
  EXPECT_FALSE(profile.has("Messages", "orphan"));
  EXPECT_EQ(profile.get("Messages", "missing", "default"), "default");
}

TEST(Profile, EmptyProfileGivesEveryDefault) {
  const Profile empty;
  EXPECT_EQ(empty.get("Setup", "Languages", "0"), "0");
  EXPECT_FALSE(empty.has("Setup", "Languages"));
  EXPECT_FALSE(Profile::parse("").has("", ""));
}

struct CutCase {
  std::string value;  // as written in the file
  std::string expected;
};

std::string repeat(std::string_view s, std::size_t n) {
  std::string out;
  for (std::size_t i = 0; i < n; ++i) out += s;
  return out;
}

TEST(Profile, LongValuesAreCutAt2047CharactersNeverInsideOne) {
  const std::string a2046 = repeat("a", 2046);
  const std::string a2047 = repeat("a", 2047);
  const CutCase cases[] = {
      {a2047, a2047},
      {a2047 + "b", a2047},
      {a2046 + "\u3042" + "b", a2046 + "\u3042"},  // a three-byte character is the 2047th
      {a2047 + "\u3042", a2047},                   // ... or the 2048th, dropped whole
      {repeat("\u3042", 3000), repeat("\u3042", 2047)},
      {repeat("\U0001F600", 2048), repeat("\U0001F600", 2047)},
      {"\"" + a2047 + "b\"", a2047},  // quotes are removed first
  };
  for (const CutCase& c : cases) {
    const Profile profile = Profile::parse("[s]\nk=" + c.value + "\n");
    EXPECT_EQ(profile.get("s", "k", "0"), c.expected) << "value of " << c.value.size() << " bytes";
  }
}

TEST(Profile, LoadReadsAndDecodesAFile) {
  const xtest::TempDir dir;
  const std::string path = dir.write("lang.nlf", "\xEF\xBB\xBF[Menu]\nMenuItems.File1=File\n");
  const std::optional<Profile> profile = Profile::load(path, Legacy::Windows1252);
  ASSERT_TRUE(profile);
  EXPECT_EQ(profile->get("Menu", "MenuItems.File1", "0"), "File");
  EXPECT_FALSE(Profile::load(dir.path() + "/missing.nlf", Legacy::Windows1252));
  EXPECT_FALSE(Profile::load(dir.path(), Legacy::Windows1252));
}

}  // namespace
}  // namespace xtool::files
