// Opens both device libraries and binds the exports the tool calls.
#pragma once

#include <string>
#include <vector>

#include "exports.h"

namespace xtool {

inline constexpr const char* kXerv3LibraryFile = "libxerv3com.so.1";
inline constexpr const char* kXerv1LibraryFile = "libxerv1.so.1";

struct BindOutcome {
  bool ok = false;
  std::string error;  // one line naming the library file or the export that could not be bound
};

// Looks for each library file in `dirs` in order and opens the first found with
// dlopen(RTLD_NOW | RTLD_LOCAL), then binds every export of its table by name. The libraries stay
// loaded for the life of the process.
BindOutcome bind_libraries(const std::vector<std::string>& dirs, Libraries& out);

// Where the tool looks for the libraries: its own folder, then the library folder of the
// installation it belongs to (relative to its own, so an unpacked package works), then the
// library folder it was configured for.
std::vector<std::string> library_dirs(const std::string& program_dir);

// The folder of the running program (from /proc/self/exe).
std::string program_dir();

}  // namespace xtool
