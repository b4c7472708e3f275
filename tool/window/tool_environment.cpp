#include "tool_environment.h"

#include <cstdlib>
#include <filesystem>

ToolEnvironment default_environment(const std::string& program_dir) {
  namespace fs = std::filesystem;
  ToolEnvironment env;
  env.settings_dirs.push_back(program_dir);
  const char* config = std::getenv("XDG_CONFIG_HOME");
  const char* home = std::getenv("HOME");
  if (config && *config) {
    env.settings_dirs.push_back(std::string(config) + "/xervtool");
  } else if (home && *home) {
    env.settings_dirs.push_back(std::string(home) + "/.config/xervtool");
  }
  env.settings_dirs.emplace_back("/etc/xervtool");

  env.data_dirs.push_back(program_dir);
  const fs::path relative = fs::path(program_dir) / XTOOL_BIN_TO_DATADIR;
  env.data_dirs.push_back(relative.lexically_normal().string());
  if (env.data_dirs.back() != XTOOL_INSTALL_DATADIR) env.data_dirs.emplace_back(XTOOL_INSTALL_DATADIR);

  env.manual_dirs = env.data_dirs;
  env.manual_dirs.emplace_back(".");
  return env;
}
