#include "port_list.h"

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <array>
#include <cstdlib>
#include <map>
#include <optional>
#include <string_view>

#include "port_checks.h"

namespace xtool::ports {

namespace {

constexpr int kMaxCom = 255;

// The number of a name the library builds for rs_PortOpen("n"): "COM" and 1..255 in plain
// decimal. Anything else (COM0, COM03, COM256, com1, COM1.bak) is no port of the library's.
int com_number(std::string_view name) {
  if (name.size() < 4 || name.size() > 6 || name.substr(0, 3) != "COM") return 0;
  const std::string_view digits = name.substr(3);
  if (digits.front() == '0') return 0;
  int n = 0;
  for (const char c : digits) {
    if (c < '0' || c > '9') return 0;
    n = n * 10 + (c - '0');
  }
  return n <= kMaxCom ? n : 0;
}

// Calls `each` with every name of a folder but . and ..; nothing when it cannot be read.
template <typename F>
void for_each_name(const std::string& dir, F each) {
  DIR* d = ::opendir(dir.c_str());
  if (d == nullptr) return;
  while (const dirent* e = ::readdir(d)) {
    const std::string_view name(e->d_name);
    if (name != "." && name != "..") each(name);
  }
  ::closedir(d);
}

// Device path -> the by-id name leading to it (the first by name when several do).
std::map<std::string, std::string> usb_names(const std::string& by_id_dir) {
  std::map<std::string, std::string> names;
  for_each_name(by_id_dir, [&](std::string_view name) {
    const std::string device = detail::resolve(by_id_dir + "/" + std::string(name));
    if (device.empty()) return;
    auto [it, added] = names.try_emplace(device, name);
    if (!added && name < it->second) it->second = name;
  });
  return names;
}

struct Checker {
  const Folders& folders;
  const Identity& who;
  bool ask_kernel;
  std::map<std::string, std::string> usb;

  PortEntry check(int com, const std::string& path) const {
    PortEntry entry;
    entry.com = com;
    entry.path = path;
    entry.device = detail::resolve(path);
    struct stat st {};
    if (entry.device.empty() || ::stat(path.c_str(), &st) != 0) {
      entry.device.clear();
      entry.access = Access::Missing;
      return entry;
    }
    if (const auto it = usb.find(entry.device); it != usb.end()) entry.usb_id = it->second;
    // A file or folder is no port whoever may read it: say so rather than name its group.
    if (!detail::is_terminal(st, folders.sys_dir)) {
      entry.access = Access::NotATerminal;
    } else if (may_open(st, who) ||
               (ask_kernel && ::faccessat(AT_FDCWD, path.c_str(), R_OK | W_OK, AT_EACCESS) == 0)) {
      entry.access = Access::Ok;
    } else {
      entry.access = Access::NoPermission;
      entry.group = detail::group_name(st.st_gid);
    }
    return entry;
  }
};

std::vector<PortEntry> list(const Folders& folders, const Identity& who, bool ask_kernel) {
  const Checker checker{folders, who, ask_kernel, usb_names(folders.by_id_dir)};
  std::array<std::optional<PortEntry>, kMaxCom + 1> by_number;
  for_each_name(folders.com_dir, [&](std::string_view name) {
    const int com = com_number(name);
    if (com != 0) by_number[com] = checker.check(com, folders.com_dir + "/" + std::string(name));
  });
  if (!folders.com_dir_from_env) {
    // The library opens ttyS<n-1> for every COM<n> of the folder that does not resolve.
    for (int com = 1; com <= kMaxCom; ++com) {
      if (by_number[com] && by_number[com]->access != Access::Missing) continue;
      const std::string tty = folders.dev_dir + "/ttyS" + std::to_string(com - 1);
      struct stat st {};
      if (::lstat(tty.c_str(), &st) != 0 || !detail::has_uart(folders.sys_dir, com - 1)) continue;
      by_number[com] = checker.check(com, tty);
    }
  }
  std::vector<PortEntry> out;
  for (auto& entry : by_number) {
    if (entry) out.push_back(std::move(*entry));
  }
  return out;
}

}  // namespace

Folders default_folders() {
  Folders folders;
  if (const char* dir = std::getenv("XERV_COM_DIR"); dir != nullptr && *dir != '\0') {
    folders.com_dir = dir;
    folders.com_dir_from_env = true;
  } else {
    folders.com_dir = "/dev/xerv";
  }
  return folders;
}

std::vector<PortEntry> list_ports(const Folders& folders) {
  return list(folders, current_identity(), true);
}

std::vector<PortEntry> list_ports(const Folders& folders, const Identity& who) {
  return list(folders, who, false);
}

}  // namespace xtool::ports
