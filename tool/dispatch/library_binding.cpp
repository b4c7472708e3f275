#include "library_binding.h"

#include <dlfcn.h>
#include <unistd.h>

#include <climits>
#include <filesystem>

namespace xtool {
namespace {

void* open_library(const std::vector<std::string>& dirs, const char* file, std::string& error) {
  for (const auto& dir : dirs) {
    const std::string path = dir + "/" + file;
    if (::access(path.c_str(), F_OK) != 0) continue;
    if (void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL)) return handle;
    const char* why = ::dlerror();
    error = std::string("cannot load the device library ") + file + " (" + path +
            "): " + (why ? why : "unknown error");
    return nullptr;
  }
  std::string where;
  for (const auto& dir : dirs) where += (where.empty() ? "" : ", ") + dir;
  error = std::string("cannot find the device library ") + file + " (looked in " + where + ")";
  return nullptr;
}

template <typename Fn>
bool bind_one(void* handle, const char* file, const char* name, Fn& slot, std::string& error) {
  slot = reinterpret_cast<Fn>(::dlsym(handle, name));
  if (slot) return true;
  error = std::string("the device library ") + file + " has no export " + name;
  return false;
}

#define XTOOL_BIND(name, signature) \
  if (!bind_one(handle, file, #name, api.name, error)) return false;

bool bind_xerv3(void* handle, const char* file, Xerv3Api& api, std::string& error) {
  XTOOL_SHARED_EXPORTS(XTOOL_BIND)
  XTOOL_XERV3_OWN_EXPORTS(XTOOL_BIND)
  return true;
}

bool bind_xerv1(void* handle, const char* file, Xerv1Api& api, std::string& error) {
  XTOOL_SHARED_EXPORTS(XTOOL_BIND)
  XTOOL_XERV1_OWN_EXPORTS(XTOOL_BIND)
  return true;
}

#undef XTOOL_BIND

}  // namespace

BindOutcome bind_libraries(const std::vector<std::string>& dirs, Libraries& out) {
  BindOutcome outcome;
  Libraries libs;
  void* h3 = open_library(dirs, kXerv3LibraryFile, outcome.error);
  if (!h3 || !bind_xerv3(h3, kXerv3LibraryFile, libs.xerv3, outcome.error)) return outcome;
  void* h1 = open_library(dirs, kXerv1LibraryFile, outcome.error);
  if (!h1 || !bind_xerv1(h1, kXerv1LibraryFile, libs.xerv1, outcome.error)) return outcome;
  out = libs;
  outcome.ok = true;
  return outcome;
}

std::vector<std::string> library_dirs(const std::string& program_dir) {
  namespace fs = std::filesystem;
  std::vector<std::string> dirs{program_dir};
  const fs::path relative = fs::path(program_dir) / XTOOL_BIN_TO_LIBDIR;
  dirs.push_back(relative.lexically_normal().string());
  if (dirs.back() != XTOOL_INSTALL_LIBDIR) dirs.emplace_back(XTOOL_INSTALL_LIBDIR);
  return dirs;
}

std::string program_dir() {
  char buf[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return ".";
  return std::filesystem::path(std::string(buf, static_cast<size_t>(n))).parent_path().string();
}

}  // namespace xtool
