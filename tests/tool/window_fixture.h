// A program folder of the tool's own (data files, settings file) and a window over it, bound to
// the real device libraries or to the recording stand-ins.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <QApplication>
#include <QStringList>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "dispatch.h"
#include "library_binding.h"
#include "tfrm_main.h"
#include "window_runner.h"

namespace tooltest {

namespace fs = std::filesystem;

inline const char* kDataFiles[] = {"English.nlf",           "Japanese.nlf",
                                   "ExplanationXERV3_E.txt", "ExplanationXERV_J.txt",
                                   "ContentsXERV3_E.txt",    "ContentsXERV_J.txt"};

class ProgramFolder {
 public:
  ProgramFolder() {
    char tmpl[] = "/tmp/xervtool-test-XXXXXX";
    dir_ = mkdtemp(tmpl);
    for (const char* f : kDataFiles) fs::copy_file(fs::path(TOOL_DATA_DIR) / f, dir_ / f);
  }
  ~ProgramFolder() { fs::remove_all(dir_); }
  const fs::path& path() const { return dir_; }
  void write(const std::string& name, const std::string& bytes) const {
    std::ofstream(dir_ / name, std::ios::binary) << bytes;
  }
  void remove(const std::string& name) const { fs::remove(dir_ / name); }
  std::string read(const std::string& name) const {
    std::ifstream in(dir_ / name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
  }
  ToolEnvironment environment(QStringList* messages) const {
    ToolEnvironment env;
    env.settings_dirs = {dir_.string()};
    env.data_dirs = {dir_.string()};
    env.manual_dirs = {dir_.string()};
    env.message = [messages](const QString& text) {
      if (messages) messages->append(text);
    };
    return env;
  }

 private:
  fs::path dir_;
};

enum class Libs { Real, Fakes };

// The window with everything it needs, in the order it needs it.
struct Tool {
  xtool::Libraries libs;
  WindowRunner runner;
  std::unique_ptr<xtool::Dispatch> dispatch;
  QStringList messages;
  std::unique_ptr<TfrmMain> window;

  Tool(const ProgramFolder& folder, Libs which = Libs::Real) {
    const std::vector<std::string> dirs =
        which == Libs::Real ? std::vector<std::string>{XERV3_DIR, XERV1_DIR}
                            : std::vector<std::string>{std::string(FAKE_LIBRARIES) + "/both"};
    const auto bound = xtool::bind_libraries(dirs, libs);
    EXPECT_TRUE(bound.ok) << bound.error;
    dispatch = std::make_unique<xtool::Dispatch>(libs, runner);
    window = std::make_unique<TfrmMain>(*dispatch, folder.environment(&messages));
    window->show();
    QCoreApplication::processEvents();
  }
  TfrmMain& w() { return *window; }
  QString status() const { return window->StatusBar1->currentMessage(); }
};

}  // namespace tooltest
