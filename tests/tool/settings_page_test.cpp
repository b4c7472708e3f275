// The two device settings pages against the virtual reader: what each Set sends and what the
// reader then holds, what each Get puts into the controls, the input checks, the reset after a
// change and the replies the window cannot read.
//
// The reader answers every set form with the values it now holds (its default), so every Set
// here also has the library copy a full reply into the handler's buffer: under AddressSanitizer
// a buffer smaller than that reply fails the test.
#include <QAbstractButton>
#include <QLineEdit>
#include <QRadioButton>
#include <functional>
#include <thread>

#include "framing.h"
#include "radio_group.h"
#include "reader_fixture.h"

namespace tooltest {
namespace {

using xsim::Protocol;
using Commands = std::vector<std::string>;

constexpr unsigned kComXerv3 = 20;
constexpr unsigned kComXerv1 = 21;

ReaderTool& Open(std::unique_ptr<ReaderTool>& t, Protocol protocol) {
  t = std::make_unique<ReaderTool>(
      reader_options(protocol, protocol == Protocol::Xerv3 ? kComXerv3 : kComXerv1));
  return *t;
}

TRadioGroup* Radio(ReaderTool& t, const char* name) {
  auto* g = t.w().findChild<TRadioGroup*>(name);
  EXPECT_NE(g, nullptr) << name;
  return g;
}
QLineEdit* Edit(ReaderTool& t, const char* name) {
  auto* e = t.w().findChild<QLineEdit*>(name);
  EXPECT_NE(e, nullptr) << name;
  return e;
}
void Click(ReaderTool& t, const char* button) {
  auto* b = t.w().findChild<QAbstractButton*>(button);
  ASSERT_NE(b, nullptr) << button;
  t.mark();
  b->click();
}
QString Text(ReaderTool& t, const char* key) {
  return t.w().message(key);
}

// Does `act` on the reader's side once it has received the next host frame, to time a fault to
// one command in the middle of a handler's sequence (the library waits for the silence after
// each answer before it sends its next command, so there is time).
class OnNextFrame {
 public:
  OnNextFrame(xsim::VirtualReader& reader, std::function<void()> act)
      : thread_([&reader, act = std::move(act), count = reader.received().size() + 1] {
          if (reader.wait_received(count, std::chrono::seconds(10))) act();
        }) {}
  ~OnNextFrame() { thread_.join(); }

 private:
  std::thread thread_;
};

// The reader answers the next command with `text`, framed as its answers are, instead of its
// own answer.
OnNextFrame AnswerNextWith(ReaderTool& t, std::string text) {
  t.reader.ignore_next(1);
  return OnNextFrame(t.reader, [&t, text] {
    t.reader.send_garbage(*xsim::frame_bytes(t.reader.frame_format(), text));
  });
}

// --- Radio group settings, both protocols where both have them -----------------------------

struct RadioCase {
  const char* group;
  const char* set;
  const char* get;
  const char* message;
  const char* setting;  // the reader's name for it
  int index;            // the item chosen for Set
  const char* xerv3;    // the set form on the wire
  const char* xerv1;    // the same under XERV1; null where XERV1 has no such setting
  const char* stored;   // the setting afterwards
  const char* other;    // a value given to the reader for Get
  int shown;            // the item it selects
};

const RadioCase kRadioCases[] = {
    {"ragCmd_SS_p1", "btnCmd_SS_Set", "btnCmd_SS_Get", "MsgCmd_SS", "SS", 1, "SS1", "h1", "1", "0",
     0},
    {"ragCmd_SP_p1", "btnCmd_SP_Set", "btnCmd_SP_Get", "MsgCmd_SP", "SP", 1, "SP1FF", "e1FF", "1FF",
     "0FR", 0},
    {"ragCmd_SM", "btnCmd_SM_Set", "btnCmd_SM_Get", "MsgCmd_SM", "SM", 2, "SM2", "c2", "2", "1", 1},
    {"ragCmd_SG", "btnCmd_SG_Set", "btnCmd_SG_Get", "MsgCmd_SG", "SG", 1, "SG1", nullptr, "1", "0",
     0},
    {"ragCmd_SV", "btnCmd_SV_Set", "btnCmd_SV_Get", "MsgCmd_SV", "SV", 3, "SV3", "b3", "3", "1", 1},
};

TEST(SettingsPage, RadioSettingsGoToTheReaderAndComeBack) {
  for (const Protocol protocol : {Protocol::Xerv3, Protocol::Xerv1}) {
    std::unique_ptr<ReaderTool> holder;
    ReaderTool& t = Open(holder, protocol);
    const bool xerv3 = protocol == Protocol::Xerv3;
    for (const RadioCase& c : kRadioCases) {
      const char* wire = xerv3 ? c.xerv3 : c.xerv1;
      if (wire == nullptr) continue;
      SCOPED_TRACE(wire);
      TRadioGroup* group = Radio(t, c.group);
      group->setItemIndex(c.index);
      Click(t, c.set);
      EXPECT_EQ(t.commands(), (Commands{wire, xerv3 ? "PR" : "<"}));
      EXPECT_EQ(t.reader.setting(c.setting), c.stored);
      EXPECT_EQ(t.status(), Text(t, c.message) + " Ok!! ");

      group->setItemIndex(-1);
      ASSERT_TRUE(t.reader.set_setting(c.setting, c.other));
      Click(t, c.get);
      const std::string query = xerv3 ? std::string(c.setting) : std::string(wire, 1);
      EXPECT_EQ(t.commands(), Commands{query});
      EXPECT_EQ(group->itemIndex(), c.shown);
      EXPECT_EQ(t.status(), Text(t, c.message) + " Ok!! " + c.other);
    }
    EXPECT_TRUE(t.messages().isEmpty()) << t.messages().join("|").toStdString();
  }
}

// --- Edit settings: retry count, buzzer and LED --------------------------------------------

TEST(SettingsPage, RetryCountGoesToTheReaderAndComesBack) {
  std::unique_ptr<ReaderTool> holder;
  ReaderTool& t = Open(holder, Protocol::Xerv3);
  Edit(t, "edtCmd_SY")->setText("7");
  Click(t, "btnCmd_SY_Set");
  EXPECT_EQ(t.commands(), (Commands{"SY7", "PR"}));
  EXPECT_EQ(t.reader.setting("SY"), "7");
  EXPECT_EQ(t.status(), Text(t, "MsgCmd_SY") + " Ok!! ");

  ASSERT_TRUE(t.reader.set_setting("SY", "4"));
  Click(t, "btnCmd_SY_Get");
  EXPECT_EQ(t.commands(), Commands{"SY"});
  EXPECT_EQ(Edit(t, "edtCmd_SY")->text(), "4");
  EXPECT_EQ(t.status(), Text(t, "MsgCmd_SY") + " Ok!! 4");
}

TEST(SettingsPage, BuzzerAndLedGoToTheReaderAndComeBack) {
  std::unique_ptr<ReaderTool> holder;
  ReaderTool& t = Open(holder, Protocol::Xerv3);
  for (const std::string letters : {"SB", "SL"}) {
    SCOPED_TRACE(letters);
    auto name = [&](const char* prefix, const char* suffix) {
      return std::string(prefix) + letters + suffix;
    };
    TRadioGroup* p1 = Radio(t, name("ragCmd_", "_p1").c_str());
    std::vector<QLineEdit*> edits;
    for (const char* p : {"_p2", "_p3", "_p4", "_p5"})
      edits.push_back(Edit(t, name("edtCmd_", p).c_str()));
    const QString msg = Text(t, name("MsgCmd_", "").c_str());

    p1->setItemIndex(0);
    for (int i = 0; i < 4; ++i) edits[i]->setText(QString::number(i + 2));
    Click(t, name("btnCmd_", "_Set").c_str());
    EXPECT_EQ(t.commands(), (Commands{letters + "02345", "PR"}));
    EXPECT_EQ(t.reader.setting(letters), "02345");
    EXPECT_EQ(t.status(), msg + " Ok!! ");

    ASSERT_TRUE(t.reader.set_setting(letters, "19876"));
    Click(t, name("btnCmd_", "_Get").c_str());
    EXPECT_EQ(t.commands(), Commands{letters});
    EXPECT_EQ(p1->itemIndex(), 1);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(edits[i]->text(), QString::number(9 - i));
    EXPECT_EQ(t.status(), msg + " Ok!! 19876");
  }
}

// --- Card insertion end (SH) ----------------------------------------------------------------

struct ShSetCase {
  int p2, p31;
  const char* seconds;
  const char* wire;
};

TEST(SettingsPage, CardInsertionEndSendsTheTimerOnlyWithTheTimedMode) {
  const ShSetCase cases[] = {
      {1, 1, "30", "SHFF1F30"},                            // F, F1, F30
      {1, 2, "05", "SHFF1S05"}, {1, 0, "77", "SHFF1F00"},  // no time limit: the edit is not sent
      {0, 2, "12", "SHFF0"},  // F0 and S0 take no third value, whatever p31 holds
      {2, 1, "", "SHFS0"},
  };
  std::unique_ptr<ReaderTool> holder;
  ReaderTool& t = Open(holder, Protocol::Xerv3);
  for (const ShSetCase& c : cases) {
    SCOPED_TRACE(c.wire);
    t.w().ragCmd_SH_p2->setItemIndex(c.p2);
    t.w().ragCmd_SH_p31->setItemIndex(c.p31);
    t.w().edtCmd_SH_p32->setText(c.seconds);
    Click(t, "btnCmd_SH_Set");
    EXPECT_EQ(t.commands(), (Commands{c.wire, "PR"}));
    EXPECT_EQ(t.reader.setting("SH"), std::string(c.wire).substr(2));
    EXPECT_EQ(t.status(), Text(t, "Msg_Cmd_SH") + " Ok!! ");
  }
}

TEST(SettingsPage, CardInsertionEndReplyOfSixOrThreeCharacters) {
  std::unique_ptr<ReaderTool> holder;
  ReaderTool& t = Open(holder, Protocol::Xerv3);
  TfrmMain& w = t.w();
  ASSERT_TRUE(t.reader.set_setting("SH", "FF1S05"));
  Click(t, "btnCmd_SH_Get");
  EXPECT_EQ(t.commands(), Commands{"SH"});
  EXPECT_EQ(t.status(), Text(t, "Msg_Cmd_SH") + " Ok!! FF1S05");
  EXPECT_EQ(w.ragCmd_SH_p2->itemIndex(), 1);
  EXPECT_EQ(w.ragCmd_SH_p31->itemIndex(), 2);
  EXPECT_EQ(w.edtCmd_SH_p32->text(), "05");
  EXPECT_FALSE(w.grpCmd_SH_p3->isHidden());

  // A mode without a timer comes back without its third value.
  w.ragCmd_SH_p31->setItemIndex(2);
  w.edtCmd_SH_p32->setText("99");
  ASSERT_TRUE(t.reader.set_setting("SH", "FF0"));
  Click(t, "btnCmd_SH_Get");
  EXPECT_EQ(t.commands(), Commands{"SH"});
  EXPECT_EQ(t.status(), Text(t, "Msg_Cmd_SH") + " Ok!! FF0");
  EXPECT_EQ(w.ragCmd_SH_p2->itemIndex(), 0);
  EXPECT_EQ(w.ragCmd_SH_p31->itemIndex(), 0);
  EXPECT_EQ(w.edtCmd_SH_p32->text(), "");
  EXPECT_TRUE(w.grpCmd_SH_p3->isHidden());
  EXPECT_TRUE(t.messages().isEmpty()) << t.messages().join("|").toStdString();
}

TEST(SettingsPage, TimerGroupShowsOnlyWithTheTimedMode) {
  std::unique_ptr<ReaderTool> holder;
  ReaderTool& t = Open(holder, Protocol::Xerv3);
  TfrmMain& w = t.w();
  EXPECT_FALSE(w.grpCmd_SH_p3->isHidden());  // visible at start
  for (const int item : {0, 1, 2, 1}) {
    w.ragCmd_SH_p2->button(item)->click();
    EXPECT_EQ(w.grpCmd_SH_p3->isHidden(), item != 1) << item;
  }
}

// --- Input checks -----------------------------------------------------------------------------

struct InputCase {
  const char* what;
  std::function<void(TfrmMain&)> fill;  // from the state where every check passes
  const char* set;
  const char* key;
};

// Every check that can pass: all radio groups on an item, all edits holding a character.
void FillAll(TfrmMain& w) {
  for (TRadioGroup* g : {w.ragCmd_SH_p2, w.ragCmd_SH_p31, w.ragCmd_SS_p1, w.ragCmd_SP_p1,
                         w.ragCmd_SM, w.ragCmd_SB_p1, w.ragCmd_SL_p1, w.ragCmd_SG, w.ragCmd_SV})
    g->setItemIndex(1);
  for (QLineEdit* e :
       {w.edtCmd_SH_p32, w.edtCmd_SY, w.edtCmd_SB_p2, w.edtCmd_SB_p3, w.edtCmd_SB_p4,
        w.edtCmd_SB_p5, w.edtCmd_SL_p2, w.edtCmd_SL_p3, w.edtCmd_SL_p4, w.edtCmd_SL_p5})
    e->setText("1");
  w.edtCmd_SH_p32->setText("10");
}

TEST(SettingsPage, FirstFailingCheckIsShownAndNothingIsSent) {
  const InputCase cases[] = {
      {"SH no mode", [](TfrmMain& w) { w.ragCmd_SH_p2->setItemIndex(-1); }, "btnCmd_SH_Set",
       "MsgCmd_SH_p2_InputError"},
      {"SH no mode, no timer either",
       [](TfrmMain& w) {
         w.ragCmd_SH_p2->setItemIndex(-1);
         w.ragCmd_SH_p31->setItemIndex(-1);
         w.edtCmd_SH_p32->clear();
       },
       "btnCmd_SH_Set", "MsgCmd_SH_p2_InputError"},
      {"SH F1 without expiry", [](TfrmMain& w) { w.ragCmd_SH_p31->setItemIndex(-1); },
       "btnCmd_SH_Set", "MsgCmd_SH_p31_InputError"},
      {"SH F1, F, no seconds", [](TfrmMain& w) { w.edtCmd_SH_p32->clear(); }, "btnCmd_SH_Set",
       "MsgCmd_SH_p32_InputError"},
      {"SH F1, S, no seconds",
       [](TfrmMain& w) {
         w.ragCmd_SH_p31->setItemIndex(2);
         w.edtCmd_SH_p32->clear();
       },
       "btnCmd_SH_Set", "MsgCmd_SH_p32_InputError"},
      {"SS", [](TfrmMain& w) { w.ragCmd_SS_p1->setItemIndex(-1); }, "btnCmd_SS_Set",
       "MsgCmd_SS_p1_InputError"},
      {"SP", [](TfrmMain& w) { w.ragCmd_SP_p1->setItemIndex(-1); }, "btnCmd_SP_Set",
       "MsgCmd_SP_p1_InputError"},
      {"SM", [](TfrmMain& w) { w.ragCmd_SM->setItemIndex(-1); }, "btnCmd_SM_Set",
       "MsgCmd_SM_InputError"},
      {"SY", [](TfrmMain& w) { w.edtCmd_SY->clear(); }, "btnCmd_SY_Set", "MsgCmd_SY_InputError"},
      {"SB no item, p2 empty",
       [](TfrmMain& w) {
         w.ragCmd_SB_p1->setItemIndex(-1);
         w.edtCmd_SB_p2->clear();
       },
       "btnCmd_SB_Set", "MsgCmd_SB_p1_InputError"},
      {"SB only p4 empty", [](TfrmMain& w) { w.edtCmd_SB_p4->clear(); }, "btnCmd_SB_Set",
       "MsgCmd_SB_p4_InputError"},
      {"SB p3 and p5 empty",
       [](TfrmMain& w) {
         w.edtCmd_SB_p3->clear();
         w.edtCmd_SB_p5->clear();
       },
       "btnCmd_SB_Set", "MsgCmd_SB_p3_InputError"},
      {"SL only p2 empty", [](TfrmMain& w) { w.edtCmd_SL_p2->clear(); }, "btnCmd_SL_Set",
       "MsgCmd_SL_p2_InputError"},
      {"SL only p5 empty", [](TfrmMain& w) { w.edtCmd_SL_p5->clear(); }, "btnCmd_SL_Set",
       "MsgCmd_SL_p5_InputError"},
      {"SG", [](TfrmMain& w) { w.ragCmd_SG->setItemIndex(-1); }, "btnCmd_SG_Set",
       "MsgCmd_SG_InputError"},
      {"SV", [](TfrmMain& w) { w.ragCmd_SV->setItemIndex(-1); }, "btnCmd_SV_Set",
       "MsgCmd_SV_InputError"},
  };
  std::unique_ptr<ReaderTool> holder;
  ReaderTool& t = Open(holder, Protocol::Xerv3);
  const QString before = t.status();
  for (const InputCase& c : cases) {
    SCOPED_TRACE(c.what);
    FillAll(t.w());
    c.fill(t.w());
    t.messages().clear();
    Click(t, c.set);
    EXPECT_EQ(t.messages(), QStringList{Text(t, c.key)});
    EXPECT_EQ(t.commands(), Commands{});
    EXPECT_EQ(t.status(), before);
  }
}

// --- The reset after a change ---------------------------------------------------------------

struct ResetCase {
  const char* set;
  const char* message;
  const char* ng;
};

TEST(SettingsPage, FailingResetAfterAChangeIsShownWithTheCommandsMark) {
  const ResetCase cases[] = {
      {"btnCmd_SY_Set", "MsgCmd_SY", " NG !! "},
      {"btnCmd_SL_Set", "MsgCmd_SL", " NG !! "},
      {"btnCmd_SS_Set", "MsgCmd_SS", " (R) NG !! "},
      {"btnCmd_SH_Set", "Msg_Cmd_SH", " (R) NG !! "},
  };
  std::unique_ptr<ReaderTool> holder;
  ReaderTool& t = Open(holder, Protocol::Xerv3);
  FillAll(t.w());
  for (const ResetCase& c : cases) {
    SCOPED_TRACE(c.set);
    const auto settings_before = t.reader.settings();
    {
      // The change goes through; the reset that follows is answered NAK every time.
      const OnNextFrame nak_reset(t.reader, [&t] { t.reader.nak_next(3); });
      Click(t, c.set);
    }
    const Commands sent = t.commands();
    ASSERT_EQ(sent.size(), 4u);
    EXPECT_EQ(sent[1], "PR");
    EXPECT_NE(t.reader.settings(), settings_before);  // the new value was taken all the same
    EXPECT_EQ(t.status(), Text(t, c.message) + c.ng + "903");
  }
  EXPECT_TRUE(t.messages().isEmpty()) << t.messages().join("|").toStdString();
}

// --- Replies the window cannot take -----------------------------------------------------------

TEST(SettingsPage, FailingOrUnreadableGetLeavesTheControls) {
  std::unique_ptr<ReaderTool> holder;
  ReaderTool& t = Open(holder, Protocol::Xerv3);
  TfrmMain& w = t.w();
  w.ragCmd_SS_p1->setItemIndex(1);
  w.ragCmd_SB_p1->setItemIndex(0);
  w.edtCmd_SB_p2->setText("7");

  t.reader.nak_next(3);
  Click(t, "btnCmd_SS_Get");
  EXPECT_EQ(t.status(), Text(t, "MsgCmd_SS") + " NG !! 903");
  EXPECT_EQ(w.ragCmd_SS_p1->itemIndex(), 1);

  for (const auto& [button, reply] :
       {std::pair{"btnCmd_SS_Get", "SSX"}, std::pair{"btnCmd_SB_Get", "SB 1111"}}) {
    SCOPED_TRACE(reply);
    t.messages().clear();
    {
      const auto answer = AnswerNextWith(t, reply);
      Click(t, button);
    }
    EXPECT_EQ(t.messages(),
              QStringList{QString("'%1' is not a valid integer value").arg(reply[2])});
  }
  EXPECT_EQ(w.ragCmd_SS_p1->itemIndex(), 1);
  EXPECT_EQ(w.ragCmd_SB_p1->itemIndex(), 0);
  EXPECT_EQ(w.edtCmd_SB_p2->text(), "7");
}

// The sweep runs the Get handlers itself and ends silently on a reply it cannot read: the
// handlers let the error out rather than show it.
TEST(SettingsPage, GetHandlersLetAnUnreadableReplyOut) {
  std::unique_ptr<ReaderTool> holder;
  ReaderTool& t = Open(holder, Protocol::Xerv3);
  const auto answer = AnswerNextWith(t, "SVZ");
  EXPECT_THROW(t.w().btnCmd_SV_GetClick(), xtool::ConversionError);
  EXPECT_TRUE(t.messages().isEmpty());
}

}  // namespace
}  // namespace tooltest
