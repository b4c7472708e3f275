// xervtool: binds both device libraries, opens the main window and runs it.
//   xervtool [--screenshot FILE [--page N]] [--help] [--version]
#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>

#include "dispatch.h"
#include "library_binding.h"
#include "tfrm_main.h"
#include "window_runner.h"

namespace {

struct Options {
  const char* screenshot = nullptr;
  int page = 0;
};

const char kUsage[] =
    "Usage: xervtool [--screenshot FILE [--page N]] [Qt options]\n"
    "       xervtool --help | --version\n"
    "The setup and test tool for KVX card reader/writers (XERV1 and XERV3 protocols).\n"
    "\n"
    "  --screenshot FILE  render the main window offscreen, save it as a PNG picture to FILE\n"
    "                     and exit\n"
    "  --page N           with --screenshot: show page N (0 to 5) of the window first\n"
    "  -h, --help         show this text and exit\n"
    "  --version          show the version and exit\n"
    "Qt's own single-dash options (-platform offscreen, -style=Fusion, -reverse) pass through\n"
    "to Qt. See xervtool(1) for the files and environment variables it reads.\n";

// Qt's options that take their value as the next word.
bool qt_option_with_value(const std::string& arg) {
  static const char* const names[] = {"-platform", "-platformpluginpath", "-platformtheme",
                                      "-style",    "-stylesheet",         "-qwindowgeometry",
                                      "-qwindowtitle", "-qwindowicon",    "-display",
                                      "-geometry", "-session",            "-plugin"};
  for (const char* n : names) {
    if (arg == n) return true;
  }
  return false;
}

// Returns -1 to go on, else the exit status.
int parse(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kUsage, stdout);
      return 0;
    }
    if (arg == "--version") {
      std::puts("xervtool " XTOOL_VERSION);
      return 0;
    }
    if (arg == "--screenshot" && i + 1 < argc) {
      options.screenshot = argv[++i];
    } else if (arg == "--page" && i + 1 < argc) {
      options.page = std::atoi(argv[++i]);
    } else if (arg.size() > 2 && arg[0] == '-' && arg[1] != '-') {
      if (qt_option_with_value(arg)) ++i;  // Qt's own options pass through to it
      continue;
    } else {
      std::fprintf(stderr, "xervtool: unknown argument %s\n%s", arg.c_str(), kUsage);
      return 2;
    }
  }
  return -1;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (const int status = parse(argc, argv, options); status >= 0) return status;
  // A screenshot needs no display.
  if (options.screenshot && !std::getenv("QT_QPA_PLATFORM")) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  }
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("xervtool"));
  QApplication::setApplicationVersion(QStringLiteral(XTOOL_VERSION));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/xervtool.svg")));
  QApplication::setDesktopFileName(QStringLiteral("xervtool"));

  const std::string dir = xtool::program_dir();
  xtool::Libraries libs;
  const auto bound = xtool::bind_libraries(xtool::library_dirs(dir), libs);
  if (!bound.ok) {
    std::cerr << "xervtool: " << bound.error << "\n";
    if (!options.screenshot && QGuiApplication::platformName() != QLatin1String("offscreen")) {
      QMessageBox::critical(nullptr, QStringLiteral("xervtool"),
                            QString::fromStdString(bound.error));
    }
    return 1;
  }

  WindowRunner runner;
  xtool::Dispatch dispatch(libs, runner);
  ToolEnvironment env = default_environment(dir);
  if (options.screenshot) env.message = [](const QString& text) {
    std::cerr << "xervtool: " << text.toStdString() << "\n";
  };
  TfrmMain frmMain(dispatch, env);
  frmMain.show();

  if (options.screenshot) {
    frmMain.PageSetInfo->setCurrentIndex(options.page);
    QCoreApplication::processEvents();
    const bool saved = frmMain.grab().save(QString::fromLocal8Bit(options.screenshot), "PNG");
    if (!saved) {
      std::cerr << "xervtool: cannot write " << options.screenshot << "\n";
      return 1;
    }
    std::cout << options.screenshot << "\n";
    return 0;
  }
  return app.exec();
}
