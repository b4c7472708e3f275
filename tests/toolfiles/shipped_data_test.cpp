// The shipped language files, explanation trees and manuals: every text the main window reads at
// start-up is there, every list has exactly its number of items, each tree has the shape the
// window expects, and each search text of the tree is found in its manual.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "explanation_tree.h"
#include "manual_text.h"
#include "profile.h"
#include "read_file.h"
#include "text_decode.h"

#ifndef XERV_TOOL_DATA_DIR
#error "XERV_TOOL_DATA_DIR must name the folder of the shipped data"
#endif

namespace xtool::files {
namespace {

struct Language {
  const char* name;
  const char* language_file;
  const char* tree_file;
  const char* manual_file;
  Legacy legacy;
};

constexpr Language kLanguages[] = {
    {"English", "English.nlf", "ExplanationXERV3_E.txt", "ContentsXERV3_E.txt",
     Legacy::Windows1252},
    {"Japanese", "Japanese.nlf", "ExplanationXERV_J.txt", "ContentsXERV_J.txt", Legacy::ShiftJis},
};

// Keys as the window reads them; "Name#N" stands for the list keys Name1 to NameN, and the
// list must end there (no NameN+1).
const std::vector<std::string> kMessages = {
    "Msg_PC_rs_CommSettings",
    "Msg_rs_CommSettings",
    "Msg_PC_rs_CommFormat_Set",
    "Msg_rs_CommFormat_Set",
    "Msg_Cmd_SH",
    "MsgCmd_SH_p2_InputError",
    "MsgCmd_SH_p31_InputError",
    "MsgCmd_SH_p32_InputError",
    "MsgCmd_SS",
    "MsgCmd_SS_p1_InputError",
    "MsgCmd_SP",
    "MsgCmd_SP_p1_InputError",
    "MsgCmd_SM",
    "MsgCmd_SM_InputError",
    "MsgCmd_SY",
    "MsgCmd_SY_InputError",
    "MsgCmd_SJ",
    "MsgCmd_SJ_p1_InputError",
    "MsgCmd_SJ_p2_InputError",
    "MsgCmd_SJ_p3_InputError",
    "MsgCmd_SB",
    "MsgCmd_SB_p1_InputError",
    "MsgCmd_SB_p2_InputError",
    "MsgCmd_SB_p3_InputError",
    "MsgCmd_SB_p4_InputError",
    "MsgCmd_SB_p5_InputError",
    "MsgCmd_SL",
    "MsgCmd_SL_p1_InputError",
    "MsgCmd_SL_p2_InputError",
    "MsgCmd_SL_p3_InputError",
    "MsgCmd_SL_p4_InputError",
    "MsgCmd_SL_p5_InputError",
    "MsgCmd_SG",
    "MsgCmd_SG_InputError",
    "MsgCmd_SV",
    "MsgCmd_SV_InputError",
};

const std::vector<std::string> kMenu = {"MenuItems.File1", "MenuItems.Exit1", "MenuItems.Help1",
                                        "MenuItems.About1"};

// Window title and page titles, then the captions and lists in the order the window reads them,
// then the list read last.
const std::vector<std::string> kFrmMain = {
    "frmMain.Caption", "PageSetInfo.Pages[0].Caption", "PageSetInfo.Pages[1].Caption",
    "PageSetInfo.Pages[2].Caption", "PageSetInfo.Pages[3].Caption", "PageSetInfo.Pages[4].Caption",
    // Port group
    "GrbComPort", "btnPortOpen", "btnPortClose", "rdgProtocol", "rdgProtocol.Items#2",
    // PC side
    "grbComControl_PC", "lblBps_PC", "lblComBit_PC", "ComBitItems#2", "lblComParity_PC",
    "ComParityItems#3", "lblComStopBit_PC", "ComStopBitItems#2", "btnComSetting",
    "cmdSetComFormat_PC", "grbComFormat_PC", "lblComSTX_PC", "ComSTXItems#3", "lblComETX_PC",
    "ComETXItems#6", "lblComBCC_PC", "ComBCCItems#3", "lblUS_PC", "ComUSItems#4", "lblUserSTX_PC",
    "lblUserETX_PC", "lblUserUS_PC",
    // Reader side (the list keys fill both sides' lists)
    "grbComControl", "lblBaudRate", "lblComBit", "ComBitItems#2", "lblParity", "ComParityItems#3",
    "lblStopBit", "ComStopBitItems#2", "lblComSignal", "ComSignalItems#2", "lblComRetry",
    "lblComTimeOut", "btnComGet", "btnComSet", "grbComFormat", "lblComSTX", "ComSTXItems#3",
    "lblComETX", "ComETXItems#6", "lblComBCC", "ComBCCItems#3", "lblComUS", "ComUSItems#4",
    "lblUserSTX", "lblUserETX", "lblUserUS", "cmdGetComFormat", "cmdSetComFormat",
    // Settings 1
    "grpCmd_SH", "ragCmd_SH_p2", "ragCmd_SH_p2.Items1", "ragCmd_SH_p2.Items2",
    "ragCmd_SH_p2.Items5", "grpCmd_SH_p3", "ragCmd_SH_p31", "ragCmd_SH_p31.Items#3",
    "grpCmd_SH_p32", "btnCmd_SH_Get", "btnCmd_SH_Set", "grpCmd_SS", "ragCmd_SS_p1",
    "ragCmd_SS_p1.Items#2", "btnCmd_SS_Get", "btnCmd_SS_Set", "grpCmd_SP", "ragCmd_SP_p1",
    "ragCmd_SP_p1.Items#2", "btnCmd_SP_Get", "btnCmd_SP_Set", "grpCmd_SM", "ragCmd_SM",
    "btnCmd_SM_Get", "btnCmd_SM_Set", "grpCmd_SY", "btnCmd_SY_Get", "btnCmd_SY_Set", "grbVerInfo",
    "lblVerInfo_ver", "lblVerInfo_date", "btnVerInfoGet", "grbProtocolChg", "rdgProtocolChg",
    "rdgProtocolChg.Items#2", "btnGetProtocolChg", "btnSetProtocolChg",
    // Settings 2
    "grpCmd_SB", "ragCmd_SB_p1", "ragCmd_SB_p1.Items#2", "grpCmd_SB_p2_3", "lblCmd_SB_p2",
    "lblCmd_SB_p3", "grpCmd_SB_p4_5", "lblCmd_SB_p4", "lblCmd_SB_p5", "btnCmd_SB_Get",
    "btnCmd_SB_Set", "grpCmd_SL", "ragCmd_SL_p1", "ragCmd_SL_p1.Items#2", "grpCmd_SL_p2_3",
    "lblCmd_SL_p2", "lblCmd_SL_p3", "grpCmd_SL_p4_5", "lblCmd_SL_p4", "lblCmd_SL_p5",
    "btnCmd_SL_Get", "btnCmd_SL_Set", "grpCmd_SG", "ragCmd_SG", "ragCmd_SG.Items#2",
    "btnCmd_SG_Get", "btnCmd_SG_Set", "grpCmd_SV", "ragCmd_SV", "ragCmd_SV.Items#4",
    "btnCmd_SV_Get", "btnCmd_SV_Set",
    // Send ranges
    "grpCmd_SJ_TR1", "lblSndPos_TR1_ST1", "lblSndPos_TR1_END1", "lblSndPos_TR1_reng",
    "grpCmd_SJ_TR2", "lblSndPos_TR2_ST1", "lblSndPos_TR2_END1", "lblSndPos_TR2_reng",
    "grpCmd_SJ_TR3", "lblSndPos_TR3_ST1", "lblSndPos_TR3_END1", "lblSndPos_TR3_reng",
    "grpCmd_SJ_TR4", "lblSndPos_TR4_ST1", "lblSndPos_TR4_END1", "lblSndPos_TR4_reng",
    "btnCmd_SJ_Get", "btnCmd_SJ_Set",
    // Card operations, explanation, top right
    "grbModel", "btnModel", "ragCommand1.Items#3", "tabExplanation", "btnAll_Get",
    // Read after the search texts
    "ragCmd_SM.Items#3"};

// Keys that must not be there: the ends of the lists above and the gaps of the SH list, whose
// three items are keyed 1, 2 and 5.
std::vector<std::string> absent_keys(const std::vector<std::string>& keys) {
  std::vector<std::string> absent = {"ragCmd_SH_p2.Items3", "ragCmd_SH_p2.Items4",
                                     "ragCmd_SH_p2.Items6"};
  for (const std::string& key : keys) {
    const std::size_t hash = key.find('#');
    if (hash == std::string::npos) continue;
    absent.push_back(key.substr(0, hash) + std::to_string(std::stoi(key.substr(hash + 1)) + 1));
  }
  std::sort(absent.begin(), absent.end());  // both sides' lists share their keys
  absent.erase(std::unique(absent.begin(), absent.end()), absent.end());
  return absent;
}

// The keys with every "Name#N" written out.
std::vector<std::string> expand(const std::vector<std::string>& keys) {
  std::vector<std::string> out;
  for (const std::string& key : keys) {
    const std::size_t hash = key.find('#');
    if (hash == std::string::npos) {
      out.push_back(key);
      continue;
    }
    const int count = std::stoi(key.substr(hash + 1));
    for (int i = 1; i <= count; ++i) out.push_back(key.substr(0, hash) + std::to_string(i));
  }
  return out;
}

const std::vector<std::string> kContents = {
    "Contents0",  "Contents1",  "Contents2",  "Contents3",  "Contents4",  "Contents5", "Contents6",
    "Contents7",  "Contents8",  "Contents9",  "ContentsA",  "ContentsB",  "ContentsC", "Contents20",
    "Contents21", "Contents22", "Contents23", "Contents24", "Contents25", "Contents26"};

std::string data_path(const char* name) {
  return std::string(XERV_TOOL_DATA_DIR) + "/" + name;
}

// The file's text, decoded as the tool decodes it; fails the test when it cannot be read.
std::string load_text(const char* name, Legacy legacy) {
  const std::optional<std::string> bytes = read_file_bytes(data_path(name));
  EXPECT_TRUE(bytes) << name << " cannot be read";
  if (!bytes) return {};
  EXPECT_TRUE(is_valid_utf8(*bytes)) << name << " is not stored as UTF-8";
  return decode_text(*bytes, legacy);
}

void expect_texts(const Profile& profile, const char* file, const char* section,
                  const std::vector<std::string>& keys) {
  for (const std::string& key : expand(keys)) {
    const std::string value = profile.get(section, key, "0");
    EXPECT_TRUE(value != "0" && !value.empty())
        << file << " [" << section << "] " << key
        << (profile.has(section, key) ? " is empty or \"0\"" : " is missing");
  }
}

// Names the language in test output and in the test names.
void PrintTo(const Language& lang, std::ostream* out) {
  *out << lang.name;
}

class ShippedData : public testing::TestWithParam<Language> {};

TEST_P(ShippedData, LanguageFileHoldsEveryTextTheWindowReads) {
  const Language& lang = GetParam();
  const Profile profile = Profile::parse(load_text(lang.language_file, lang.legacy));
  expect_texts(profile, lang.language_file, "Messages", kMessages);
  expect_texts(profile, lang.language_file, "Menu", kMenu);
  expect_texts(profile, lang.language_file, "frmMain", kFrmMain);
  expect_texts(profile, lang.language_file, "Contents", kContents);
  for (const std::string& key : absent_keys(kFrmMain)) {
    EXPECT_FALSE(profile.has("frmMain", key))
        << lang.language_file << " [frmMain] " << key << " makes its list too long";
  }
}

TEST_P(ShippedData, TreeHasTheShapeTheWindowExpects) {
  const Language& lang = GetParam();
  const TreeLoad tree = parse_tree(load_text(lang.tree_file, lang.legacy));
  ASSERT_TRUE(tree.ok) << lang.tree_file << ": " << tree.error;
  ASSERT_EQ(tree.roots.size(), 8u) << lang.tree_file << ": top-level nodes";
  EXPECT_EQ(tree.roots[5].children.size(), 13u) << lang.tree_file << ": command nodes";
}

TEST_P(ShippedData, ManualHoldsEverySearchText) {
  const Language& lang = GetParam();
  const Profile profile = Profile::parse(load_text(lang.language_file, lang.legacy));
  const std::vector<std::string> manual = split_lines(load_text(lang.manual_file, lang.legacy));
  for (const std::string& key : kContents) {
    const std::string text = profile.get("Contents", key, "");
    EXPECT_GE(find_line(manual, text), 0)
        << lang.manual_file << " has no line with " << key << " \"" << text << "\"";
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, ShippedData, testing::ValuesIn(kLanguages),
                         [](const testing::TestParamInfo<Language>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace xtool::files
