// Reading whole files and finding a file in a list of folders.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace xtool::files {

// The largest file read: our texts are a few hundred kilobytes at most.
inline constexpr std::size_t kMaxFileBytes = 16u << 20;

// The whole file's bytes; std::nullopt when it cannot be opened or read (missing, a folder or
// another non-regular file, no permission) or is larger than kMaxFileBytes.
std::optional<std::string> read_file_bytes(const std::string& path);

// The first of dirs[i] + "/" + name that exists as a regular readable file; empty when none.
// An empty folder stands for the current directory (the result is then the bare name).
std::string find_file(const std::vector<std::string>& dirs, std::string_view name);

}  // namespace xtool::files
