// Start-up: the settings file, the language files (UTF-8 and Shift-JIS alike), the defaults
// when files are missing, and the help that never stops the start.
#include <iconv.h>
#include <unistd.h>

#include <QScrollBar>

#include "radio_group.h"
#include "window_fixture.h"

namespace tooltest {
namespace {

std::string to_shift_jis(const std::string& utf8) {
  iconv_t cd = iconv_open("CP932", "UTF-8");
  std::string out(utf8.size() * 2 + 16, '\0');
  char* in = const_cast<char*>(utf8.data());
  size_t in_left = utf8.size(), out_left = out.size();
  char* o = out.data();
  EXPECT_NE(iconv(cd, &in, &in_left, &o, &out_left), static_cast<size_t>(-1));
  iconv_close(cd);
  out.resize(out.size() - out_left);
  return out;
}

// Every list that the language file fills, with the number of items it must hold.
const struct {
  const char* name;
  int count;
} kLists[] = {
    {"rdgProtocol", 2},     {"cboComBit_PC", 2},    {"cboComParity_PC", 3},
    {"cboComStopBit_PC", 2}, {"cboComSTX_PC", 3},   {"cboComETX_PC", 6},
    {"cboBCC_PC", 3},       {"cboUS_PC", 4},        {"cboBaudRate", 4},
    {"cboComBit", 2},       {"cboComParity", 3},    {"cboComStopBit", 2},
    {"cboComSignal", 2},    {"cboComSTX", 3},       {"cboComETX", 6},
    {"cboComBCC", 3},       {"cboComUS", 4},        {"cboBps_PC", 4},
    {"ragCmd_SH_p2", 3},    {"ragCmd_SH_p31", 3},   {"ragCmd_SS_p1", 2},
    {"ragCmd_SP_p1", 2},    {"ragCmd_SM", 3},       {"rdgProtocolChg", 2},
    {"ragCmd_SB_p1", 2},    {"ragCmd_SL_p1", 2},    {"ragCmd_SG", 2},
    {"ragCmd_SV", 4},       {"ragCommand1", 3},     {"cboModel", 6},
};

int item_count(const TfrmMain& w, const char* name) {
  if (auto* g = w.findChild<TRadioGroup*>(name)) return g->count();
  if (auto* c = w.findChild<QComboBox*>(name)) return c->count();
  return -1;
}

QStringList texts(const TfrmMain& w) {
  QStringList all{w.windowTitle(), w.btnPortOpen->text(), w.GrbComPort->title(),
                  w.PageSetInfo->tabText(0), w.PageSetInfo->tabText(5), w.lblComParity->text(),
                  w.message("MsgCmd_SS"), w.message("MsgCmd_SB_p4_InputError"),
                  w.contentsText("ContentsC"), w.File1->title(), w.About1->text()};
  for (const auto& list : kLists) {
    if (auto* g = w.findChild<TRadioGroup*>(list.name)) {
      for (int i = 0; i < g->count(); ++i) all << g->itemText(i);
    } else if (auto* c = w.findChild<QComboBox*>(list.name)) {
      for (int i = 0; i < c->count(); ++i) all << c->itemText(i);
    }
  }
  return all;
}

TEST(StartUp, EnglishByDefaultWithEveryListFullAndTheFirstSelectionsMade) {
  ProgramFolder folder;
  Tool tool(folder);
  TfrmMain& w = tool.w();
  EXPECT_EQ(tool.dispatch->CurrentLanguage, "0");
  EXPECT_EQ(tool.dispatch->CurrentModel, "XERV3");
  EXPECT_EQ(w.font().family(), "Arial");
  EXPECT_EQ(w.size(), QSize(1034, 643));
  for (const auto& list : kLists) EXPECT_EQ(item_count(w, list.name), list.count) << list.name;
  for (const QString& t : texts(w)) EXPECT_NE(t, "0");
  EXPECT_EQ(w.rdgProtocol->itemIndex(), 1);
  EXPECT_EQ(w.cboBps_PC->currentIndex(), 1);
  EXPECT_EQ(w.cboComBit_PC->currentIndex(), 1);
  EXPECT_EQ(w.cboComETX_PC->currentIndex(), 4);
  EXPECT_EQ(w.cboUS_PC->currentIndex(), 0);
  EXPECT_FALSE(w.cboUS_PC->isVisible());
  EXPECT_FALSE(w.edtUserUS->isVisible());
  EXPECT_EQ(w.PageSetInfo->currentIndex(), 0);
  EXPECT_EQ(w.TreeView1->topLevelItemCount(), 8);
  EXPECT_GT(w.memExplanation->blockCount(), 100);
  EXPECT_TRUE(tool.messages.isEmpty()) << tool.messages.join("\n").toStdString();
  EXPECT_FALSE(w.Timer1->isActive());
  EXPECT_EQ(w.Timer1->interval(), 300);
}

TEST(StartUp, OnlyJapaneseExactlySelectsJapanese) {
  ProgramFolder english;
  english.write("xervtool.ini", "[Setup]\nLanguages=japanese\nFontName=Tahoma\n");
  Tool lower(english);
  EXPECT_EQ(lower.dispatch->CurrentLanguage, "japanese");
  EXPECT_EQ(lower.w().font().family(), "Arial");
  ProgramFolder plain;
  Tool reference(plain);
  EXPECT_EQ(texts(lower.w()), texts(reference.w()));

  ProgramFolder japanese;
  japanese.write("xervtool.ini", "[setup]\nlanguages = Japanese\nFontName=Noto Sans CJK JP\n");
  Tool ja(japanese);
  EXPECT_EQ(ja.w().font().family(), "Noto Sans CJK JP");
  EXPECT_NE(texts(ja.w()), texts(reference.w()));
}

TEST(StartUp, AShiftJisLanguageFileLoadsTheSameTextsAsItsUtf8Copy) {
  ProgramFolder utf8;
  utf8.write("xervtool.ini", "[Setup]\nLanguages=Japanese\n");
  ProgramFolder sjis;
  sjis.write("xervtool.ini", "[Setup]\nLanguages=Japanese\n");
  for (const char* f : {"Japanese.nlf", "ExplanationXERV_J.txt", "ContentsXERV_J.txt"}) {
    sjis.write(f, to_shift_jis(sjis.read(f)));
  }
  Tool a(utf8), b(sjis);
  EXPECT_EQ(texts(a.w()), texts(b.w()));
  EXPECT_EQ(a.w().memExplanation->toPlainText(), b.w().memExplanation->toPlainText());
  EXPECT_EQ(a.w().TreeView1->topLevelItem(5)->text(0), b.w().TreeView1->topLevelItem(5)->text(0));
}

TEST(StartUp, FontSettingsFallBack) {
  ProgramFolder folder;
  folder.write("xervtool.ini", "[Setup]\nLanguages=Japanese\nFontSize=abc\nCharaSet=\n");
  Tool tool(folder);
  EXPECT_EQ(tool.w().font().pointSize(), 10);
  EXPECT_EQ(tool.w().font().family(), "Tahoma");
  ProgramFolder sized;
  sized.write("xervtool.ini", "[Setup]\nFontSize=12\n");
  Tool big(sized);
  EXPECT_EQ(big.w().font().pointSize(), 12);
  // The status bar keeps its own font.
  EXPECT_TRUE(big.w().StatusBar1->font().bold());
}

TEST(StartUp, AMissingLanguageFileShowsZeroEverywhere) {
  ProgramFolder folder;
  folder.remove("English.nlf");
  Tool tool(folder);
  TfrmMain& w = tool.w();
  EXPECT_EQ(w.windowTitle(), "0");
  EXPECT_EQ(w.btnPortOpen->text(), "0");
  EXPECT_EQ(w.GrbComPort->title(), "0");
  EXPECT_EQ(w.message("Msg_PC_rs_CommSettings"), "0");
  ASSERT_EQ(w.cboComETX_PC->count(), 6);
  for (int i = 0; i < 6; ++i) EXPECT_EQ(w.cboComETX_PC->itemText(i), "0");
  EXPECT_EQ(w.ragCmd_SV->count(), 4);
  EXPECT_EQ(w.ragCmd_SV->itemText(3), "0");
}

TEST(StartUp, ABrokenTreeSkipsOnlyTheHelp) {
  ProgramFolder folder;
  folder.write("ExplanationXERV3_E.txt", "Top\n\t\tToo deep\n");
  Tool tool(folder);
  ASSERT_EQ(tool.messages.size(), 1);
  EXPECT_TRUE(tool.messages[0].contains("ExplanationXERV3_E.txt"));
  EXPECT_EQ(tool.w().memExplanation->toPlainText(), "");
  EXPECT_EQ(tool.w().cboBps_PC->currentIndex(), 1);
  EXPECT_EQ(tool.w().cboComETX_PC->currentIndex(), 4);

  ProgramFolder no_manual;
  no_manual.remove("ContentsXERV3_E.txt");
  Tool other(no_manual);
  ASSERT_EQ(other.messages.size(), 1);
  EXPECT_TRUE(other.messages[0].contains("ContentsXERV3_E.txt"));
  EXPECT_EQ(other.w().TreeView1->topLevelItemCount(), 8);
  EXPECT_EQ(other.w().cboBCC_PC->currentIndex(), 1);
}

TEST(StartUp, TheManualIsFoundFromAnyCurrentDirectory) {
  ProgramFolder folder;
  char here[4096];
  ASSERT_NE(getcwd(here, sizeof here), nullptr);
  ASSERT_EQ(chdir("/"), 0);
  xtool::Libraries libs;
  ASSERT_TRUE(xtool::bind_libraries({XERV3_DIR, XERV1_DIR}, libs).ok);
  WindowRunner runner;
  xtool::Dispatch d(libs, runner);
  QStringList messages;
  ToolEnvironment env = default_environment(folder.path().string());
  env.message = [&messages](const QString& t) { messages << t; };
  TfrmMain w(d, env);
  EXPECT_EQ(chdir(here), 0);
  EXPECT_TRUE(messages.isEmpty()) << messages.join("\n").toStdString();
  EXPECT_GT(w.memExplanation->blockCount(), 100);
}

}  // namespace
}  // namespace tooltest
