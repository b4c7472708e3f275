// The main window: its forms, start-up (settings, language, help), menu, wait window and close.
#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QHeaderView>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>

#include "about_box.h"
#include "language_keys.h"
#include "port_finder.h"
#include "profile.h"
#include "radio_group.h"
#include "read_file.h"
#include "reply_text.h"
#include "tfrm_main.h"
#include "tool_settings.h"
#include "wait_window.h"

using xtool::files::Legacy;
using xtool::files::Profile;

namespace {

QString qs(const std::string& utf8) { return QString::fromStdString(utf8); }

}  // namespace

TfrmMain::TfrmMain(xtool::Dispatch& dispatch, ToolEnvironment env, QWidget* parent)
    : QMainWindow(parent), d_(dispatch), env_(std::move(env)) {
  setupForms();
  connectHandlers();
  FormCreate();
  // Beside the port number, in the language just read.
  btnFindPort = PortFinder::createButton(GrbComPort, d_.japanese());
  lay_GrbComPort->insertWidget(lay_GrbComPort->indexOf(updComPort) + 1, btnFindPort);
  connect(btnFindPort, &QToolButton::clicked, this,
          [this] { PortFinder::findInto(this, edtComPort, d_.japanese()); });
  AboutBox = new TAboutBox(this);
  frmWait = new TfrmWait(this);
  setupAccessibility();
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::setupForms() {
  Ui::TfrmMain::setupUi(this);
  Ui::CommunicationPage::setupUi(tabCommunication);
  Ui::SettingsPage1::setupUi(tabSetting1);
  Ui::SettingsPage2::setupUi(tabSetting2);
  Ui::RangePage::setupUi(tabSetting3);
  Ui::CardPage::setupUi(TabSheet2);
  Ui::ExplanationPage::setupUi(tabExplanation);

  Exit1 = File1->addAction(QString());
  Exit1->setObjectName(QStringLiteral("Exit1"));
  About1 = Help1->addAction(QString());
  About1->setObjectName(QStringLiteral("About1"));
  MainMenu->addMenu(File1);
  MainMenu->addMenu(Help1);

  // Long topics scroll sideways instead of being cut short.
  TreeView1->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
  TreeView1->header()->setStretchLastSection(false);
  updComPort->setBuddy(edtComPort);
  updComPort->setRange(1, 255);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(300);

  resize(1034, 643);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.center() - rect().center());
  }
}

void TfrmMain::connectHandlers() {
  connect(btnPortOpen, &QPushButton::clicked, this, &TfrmMain::btnPortOpenClick);
  connect(btnPortClose, &QPushButton::clicked, this, &TfrmMain::btnPortCloseClick);
  connect(Timer1, &QTimer::timeout, this, &TfrmMain::Timer1Timer);
  connectPageHandlers();

  // On a change of the selected node; the view's current item alone also moves when the tree
  // first takes the focus, which selects nothing.
  connect(TreeView1, &QTreeWidget::itemSelectionChanged, this,
          [this] { TreeView1Change(TreeView1->selectedItems().value(0)); });
  connect(Exit1, &QAction::triggered, this, &TfrmMain::Exit1Click);
  connect(About1, &QAction::triggered, this, &TfrmMain::About1Click);
}

// The start-up sequence: settings, language texts, help, then the first selections.
void TfrmMain::FormCreate() {
  readSettings();
  const bool japanese = d_.japanese();
  const char* name = japanese ? "Japanese.nlf" : "English.nlf";
  language_file_ = xtool::files::find_file(env_.data_dirs, name);
  Profile lang;
  if (!language_file_.empty()) {
    if (auto loaded =
            Profile::load(language_file_, japanese ? Legacy::ShiftJis : Legacy::Windows1252)) {
      lang = std::move(*loaded);
    }
  }
  readLanguage(lang);
  // The help is a help: when its files are missing or broken only the help is skipped, and the
  // window still starts with its first selections made.
  if (loadExplanationTree()) loadManual();
  setInitialSelections();
}

void TfrmMain::readSettings() {
  Profile ini;
  const std::string path = xtool::files::find_file(env_.settings_dirs, "xervtool.ini");
  if (!path.empty()) {
    if (auto loaded = Profile::load(path, Legacy::Windows1252)) ini = std::move(*loaded);
  }
  const auto settings = xtool::files::read_tool_settings(ini);
  d_.CurrentLanguage = settings.language;
  d_.CurrentModel = "XERV3";
  QFont f = font();
  // English texts are always shown in Arial (fontconfig picks its metric stand-in); the
  // character set number has no meaning for fontconfig, which finds the glyphs itself.
  f.setFamily(d_.japanese() ? qs(settings.font_name) : QStringLiteral("Arial"));
  f.setPointSize(settings.font_size > 0 ? settings.font_size : 10);
  setFont(f);
  // The manual lines up its tables with blanks: a fixed-pitch face of the window's size.
  QFont mono = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  mono.setPointSize(f.pointSize());
  memExplanation->setFont(mono);
}

void TfrmMain::readLanguage(const Profile& lang) {
  auto get = [&lang](const char* section, const char* key) {
    return qs(lang.get(section, key, "0"));
  };
  for (const char* key : kMessageKeys) messages_[key] = get("Messages", key);

  setWindowTitle(get("frmMain", "frmMain.Caption"));
  File1->setTitle(get("Menu", kMenuKeys[0]));
  Exit1->setText(get("Menu", kMenuKeys[1]));
  Help1->setTitle(get("Menu", kMenuKeys[2]));
  About1->setText(get("Menu", kMenuKeys[3]));
  for (int i = 0; i < 5; ++i) {
    const std::string key = "PageSetInfo.Pages[" + std::to_string(i) + "].Caption";
    PageSetInfo->setTabText(i, get("frmMain", key.c_str()));
  }

  for (const auto& [key, target] : kFrmMainKeys) {
    const QString text = get("frmMain", key);
    const bool item = std::string_view(key).find("Items") != std::string_view::npos;
    QWidget* w = control(QString::fromLatin1(target ? target : key));
    if (!w) continue;
    if (!item) {
      SetCaption(w, text);
    } else if (auto* group = qobject_cast<TRadioGroup*>(w)) {
      group->addItem(text);
    } else if (auto* list = qobject_cast<QComboBox*>(w)) {
      list->addItem(text);
    }
  }
  for (const char* key : kContentsKeys) contents_[key] = get("Contents", key);
  for (const char* key : kWriteModeItemKeys) ragCmd_SM->addItem(get("frmMain", key));
}

void TfrmMain::setInitialSelections() {
  rdgProtocol->setItemIndex(1);
  cboComBit_PC->setCurrentIndex(1);
  for (QWidget* w : {static_cast<QWidget*>(lblUS_PC), static_cast<QWidget*>(cboUS_PC),
                     static_cast<QWidget*>(lblUserUS_PC), static_cast<QWidget*>(edtUserUS_PC),
                     static_cast<QWidget*>(lblComUS), static_cast<QWidget*>(cboComUS),
                     static_cast<QWidget*>(lblUserUS), static_cast<QWidget*>(edtUserUS)}) {
    w->setVisible(false);
  }
  cboBps_PC->setCurrentIndex(1);
  cboComParity_PC->setCurrentIndex(1);
  cboComStopBit_PC->setCurrentIndex(0);
  PageSetInfo->setCurrentIndex(0);
  cboComSTX_PC->setCurrentIndex(1);
  cboComETX_PC->setCurrentIndex(4);
  cboBCC_PC->setCurrentIndex(1);
  cboUS_PC->setCurrentIndex(0);
  QCoreApplication::processEvents();
}

QString TfrmMain::message(const char* key) const {
  auto it = messages_.find(key);
  return it == messages_.end() ? QStringLiteral("0") : it->second;
}

QString TfrmMain::contentsText(const char* key) const {
  auto it = contents_.find(key);
  return it == contents_.end() ? QString() : it->second;
}

QWidget* TfrmMain::control(const QString& name) const {
  return findChild<QWidget*>(name);
}

void TfrmMain::SetCaption(QWidget* w, const QString& text) {
  if (auto* group = qobject_cast<QGroupBox*>(w)) {
    group->setTitle(text);
    // Otherwise a group inside another is announced by the outer group's title.
    group->setAccessibleName(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
    button->setText(text);
  } else if (auto* label = qobject_cast<QLabel*>(w)) {
    label->setText(text);
  } else if (auto* tabs = qobject_cast<QTabWidget*>(w->parentWidget()
                                                         ? w->parentWidget()->parentWidget()
                                                         : nullptr)) {
    tabs->setTabText(tabs->indexOf(w), text);
  }
}

void TfrmMain::setupAccessibility() {
  // Controls with no caption of their own are named by the group they stand in.
  edtComPort->setAccessibleName(GrbComPort->title());
  edtCmd_SY->setAccessibleName(grpCmd_SY->title());
  edtCmd_SH_p32->setAccessibleName(grpCmd_SH_p32->title());
  cboModel->setAccessibleName(grbModel->title());
  const std::array<QLabel*, 4> lengths{pnlTrk1Len, pnlTrk2Len, pnlTrk3Len, pnlTrk4Len};
  const std::array<QLabel*, 4> results{pnlTrk1_Result, pnlTrk2_Result, pnlTrk3_Result,
                                       pnlTrk4_Result};
  const std::array<QLineEdit*, 4> data{EdtTrk1, EdtTrk2, EdtTrk3, EdtTrk4};
  for (int i = 0; i < 4; ++i) {
    const QString n = QString::number(i + 1);
    // A label keeps its text readable only without an accessible name: tag it by description.
    lengths[i]->setAccessibleDescription(QStringLiteral("Track %1 length").arg(n));
    results[i]->setAccessibleDescription(QStringLiteral("Track %1 result").arg(n));
    data[i]->setAccessibleName(QStringLiteral("Track %1 data").arg(n));
  }
}

void TfrmMain::setStatus(const QString& text) { StatusBar1->showMessage(text); }

xtool::SettingStatus TfrmMain::statusOf(const char* message_key) {
  return xtool::SettingStatus(message(message_key), [this](const QString& t) { setStatus(t); });
}
void TfrmMain::clearStatus() { StatusBar1->clearMessage(); }

void TfrmMain::showMessageBox(const QString& text) {
  if (env_.message) {
    env_.message(text);
    return;
  }
  QMessageBox box(QMessageBox::Information, windowTitle(), text, QMessageBox::Ok, this);
  box.exec();
}

void TfrmMain::guarded(void (TfrmMain::*handler)()) {
  try {
    (this->*handler)();
  } catch (const xtool::ConversionError& e) {
    showMessageBox(e.text());
  } catch (const std::exception& e) {
    showMessageBox(QString::fromLocal8Bit(e.what()));
  }
}

// The wait window may be asked for again inside its own run (the information sweep runs the
// protocol query, which shows it too): only the outermost pair shows and hides it, so that the
// window stays up, with its progress, until the whole run is over.
void TfrmMain::ShowWait() {
  if (wait_depth_++ > 0) return;
  // The pages and the menu take no input meanwhile. The main window itself stays enabled: the
  // wait window is its child and would be drawn disabled with it.
  setWaitingControlsEnabled(false);
  frmWait->showWithText(d_.japanese() ? QStringLiteral("しばらくお待ちください")
                                      : QStringLiteral("Please wait"));
  QCoreApplication::processEvents();
}

void TfrmMain::HideWait() {
  if (wait_depth_ == 0 || --wait_depth_ > 0) return;
  setWaitingControlsEnabled(true);
  frmWait->close();
}

void TfrmMain::setWaitingControlsEnabled(bool enabled) {
  centralWidget()->setEnabled(enabled);
  MainMenu->setEnabled(enabled);
}

void TfrmMain::SetWaitProgress(int done, int count) {
  frmWait->setProgress(done, count);
  QCoreApplication::processEvents();
}

void TfrmMain::Exit1Click() { close(); }

void TfrmMain::About1Click() { AboutBox->exec(); }

void TfrmMain::closeEvent(QCloseEvent* event) {
  // A device call in progress ends first (at most the reader's time-out); the window then
  // closes by itself.
  if (d_.busy()) {
    event->ignore();
    QTimer::singleShot(50, this, &TfrmMain::close);
    return;
  }
  FormClose();
  event->accept();
}

void TfrmMain::FormClose() {
  if (manual_.isOpen()) manual_.close();
}
