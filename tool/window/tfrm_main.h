// The tool's main window. One class, as the handlers share the window's controls and texts, but
// one source file per page; each page's form is a Designer file whose controls become members.
#pragma once

#include <QFile>
#include <QMainWindow>
#include <QTimer>
#include <array>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dispatch.h"
#include "explanation_tree.h"
#include "profile.h"
#include "reply_text.h"
#include "setting_command.h"
#include "tool_environment.h"
#include "ui_card_page.h"
#include "ui_communication_page.h"
#include "ui_explanation_page.h"
#include "ui_main_window.h"
#include "ui_range_page.h"
#include "ui_settings_page1.h"
#include "ui_settings_page2.h"

class QToolButton;
class TRadioGroup;
class QTreeWidgetItem;
class TAboutBox;
class TfrmWait;

class TfrmMain : public QMainWindow,
                 public Ui::TfrmMain,
                 public Ui::CommunicationPage,
                 public Ui::SettingsPage1,
                 public Ui::SettingsPage2,
                 public Ui::RangePage,
                 public Ui::CardPage,
                 public Ui::ExplanationPage {
  Q_OBJECT

 public:
  TfrmMain(xtool::Dispatch& dispatch, ToolEnvironment env, QWidget* parent = nullptr);
  ~TfrmMain() override;

  QAction* Exit1 = nullptr;
  QAction* About1 = nullptr;
  QTimer* Timer1 = nullptr;
  QToolButton* btnFindPort = nullptr;  // lists the ports this user can open
  TfrmWait* frmWait = nullptr;
  TAboutBox* AboutBox = nullptr;

  // The language file's texts kept for the handlers.
  QString message(const char* key) const;
  QString contentsText(const char* key) const;
  const std::string& languageFile() const { return language_file_; }

  void ShowWait();
  void HideWait();
  // Shows the wait window for as long as it lives, however the run ends.
  class WaitScope {
   public:
    explicit WaitScope(TfrmMain& w) : w_(w) { w_.ShowWait(); }
    ~WaitScope() { w_.HideWait(); }
    WaitScope(const WaitScope&) = delete;
    WaitScope& operator=(const WaitScope&) = delete;

   private:
    TfrmMain& w_;
  };
  // The wait window's progress bar, for runs of several steps (count 0 hides it).
  void SetWaitProgress(int done, int count);
  void ApplyModelControls();
  void EnableTrackRangeGroup(int track, bool enabled);
  // Device settings pages: the switch, write mode and retry groups from what the reader says.
  void ApplySwitchAndVersionControls();
  // Transmission range page.
  void LoadTrackFormats();
  void LabelTrackRangeGroup(int track, const QString& code);
  static QString FormatCodeName(const QString& code);
  void ClearRangeFields();
  bool ValidateRangeFields();
  static bool InByteRange(int value) { return value >= 0 && value <= 255; }
  // The format codes of EEPROM addresses 00, 08, 10 and 18; empty until the first load.
  QString FormatCode1, FormatCode2, FormatCode3, FormatCode4;
  // Sets a control's caption (group boxes also take it as their accessible name).
  static void SetCaption(QWidget* control, const QString& text);

 public Q_SLOTS:
  // The handlers run as the buttons' clicks (through guarded) and, some of them, from the
  // information sweep. A reply character that is not a number raises xtool::ConversionError.
  // Communication page.
  void btnPortOpenClick();
  void btnPortCloseClick();
  void btnComSettingClick();
  void cmdSetComFormat_PCClick();
  void btnComGetClick();
  void btnComSetClick();
  void cmdGetComFormatClick();
  void cmdSetComFormatClick();
  void btnVerInfoGetClick();
  void btnGetProtocolChgClick();
  void btnSetProtocolChgClick();
  // Device settings pages.
  void btnCmd_SH_SetClick();
  void btnCm_SH_GetClick();
  void ragCmd_SH_p2Click();
  void btnCmd_SS_SetClick();
  void btnCmd_SS_GetClick();
  void btnCmd_SP_SetClick();
  void btnCmd_SP_GetClick();
  void btnCmd_SM_SetClick();
  void btnCmd_SM_GetClick();
  void btnCmd_SY_SetClick();
  void btnCmd_SY_GetClick();
  void btnCmd_SB_SetClick();
  void btnCmd_SB_GetClick();
  void btnCmd_SL_SetClick();
  void btnCmd_SL_GetClick();
  void btnCmd_SG_SetClick();
  void btnCmd_SG_GetClick();
  void btnCmd_SV_SetClick();
  void btnCmd_SV_GetClick();
  void btnAll_GetClick();
  // Transmission range page.
  void btnCmd_SJ_GetClick();
  void btnCmd_SJ_SetClick();
  // Card operations page.
  void btnModelClick();
  void btnCommand1Click();
  void Timer1Timer();
  void EdtTrk1Change();
  void EdtTrk2Change();
  void EdtTrk3Change();
  void EdtTrk4Change();
  void btnDataClearClick();
  // Explanation tree and menu.
  void TreeView1Change(QTreeWidgetItem* node);
  void Exit1Click();
  void About1Click();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void setupForms();
  void setupAccessibility();
  void connectHandlers();
  void FormCreate();
  void readSettings();
  void readLanguage(const xtool::files::Profile& lang);
  bool loadExplanationTree();
  bool loadManual();
  void setInitialSelections();
  void FormClose();
  void showMessageBox(const QString& text);
  // Runs a handler as a button does: an error it raises is shown in the standard error box.
  void guarded(void (TfrmMain::*handler)());
  void connectPageHandlers();
  void setWaitingControlsEnabled(bool enabled);
  // A setting that is one radio group, sent as its item position through `call`.
  using SingleValueCall = int32_t (xtool::Dispatch::*)(const char*, char*);
  void setRadioSetting(TRadioGroup* group, const char* input_error, const char* message_key,
                       SingleValueCall call);
  void getRadioSetting(TRadioGroup* group, const char* message_key, SingleValueCall call);
  // The range page's start and end edits, tracks 1 to 4.
  struct RangeEdits {
    std::array<QLineEdit*, 4> start, end;
  };
  RangeEdits rangeEdits() const;
  // The power on/off query into its group; returns the library's result.
  int32_t readPowerOnOff();
  void setStatus(const QString& text);
  // The status line of a reader-side Get or Set, worded with a [Messages] text.
  xtool::SettingStatus statusOf(const char* message_key);
  void clearStatus();
  QWidget* control(const QString& name) const;

  xtool::Dispatch& d_;
  ToolEnvironment env_;
  std::string language_file_;
  std::map<std::string, QString> messages_;
  std::map<std::string, QString> contents_;
  QFile manual_;
  int wait_depth_ = 0;  // ShowWait calls not yet matched by HideWait
};
