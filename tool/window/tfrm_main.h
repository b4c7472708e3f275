// The tool's main window. One class, as the handlers share the window's controls and texts, but
// one source file per page; each page's form is a Designer file whose controls become members.
#pragma once

#include <QFile>
#include <QMainWindow>
#include <QTimer>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "dispatch.h"
#include "explanation_tree.h"
#include "profile.h"
#include "tool_environment.h"
#include "ui_card_page.h"
#include "ui_communication_page.h"
#include "ui_explanation_page.h"
#include "ui_main_window.h"
#include "ui_range_page.h"
#include "ui_settings_page1.h"
#include "ui_settings_page2.h"

class QToolButton;
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
  void ApplyModelControls();
  void EnableTrackRangeGroup(int track, bool enabled);
  // Sets a control's caption (group boxes also take it as their accessible name).
  static void SetCaption(QWidget* control, const QString& text);

 public Q_SLOTS:
  // Communication page.
  void btnPortOpenClick();
  void btnPortCloseClick();
  // Card operations page.
  void Timer1Timer();
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
  void setStatus(const QString& text);
  void clearStatus();
  QWidget* control(const QString& name) const;

  xtool::Dispatch& d_;
  ToolEnvironment env_;
  std::string language_file_;
  std::map<std::string, QString> messages_;
  std::map<std::string, QString> contents_;
  QFile manual_;
};
