// Where the tool finds its files, and the seam through which it shows message boxes (tests see
// the texts there instead of a box waiting for a click).
#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

struct ToolEnvironment {
  std::vector<std::string> settings_dirs;  // xervtool.ini: the program's folder, then the user's
                                           // and the system's configuration folders
  std::vector<std::string> data_dirs;      // language files and trees: the program's folder,
                                           // then the installed data folder
  std::vector<std::string> manual_dirs;    // the manual: as data_dirs, then the current directory
  // Shows one message with an OK button; empty: a QMessageBox.
  std::function<void(const QString&)> message;
};

ToolEnvironment default_environment(const std::string& program_dir);
