// Helpers for the file reader tests: a temporary folder and text in a legacy code page.
#pragma once

#include <errno.h>
#include <iconv.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <string_view>

namespace xtest {

// A fresh folder, removed with everything in it at the end of the test.
class TempDir {
 public:
  TempDir() {
    std::string templ = (std::filesystem::temp_directory_path() / "toolfiles-XXXXXX").string();
    if (mkdtemp(templ.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path_ = templ;
  }
  ~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;

  const std::string& path() const { return path_; }

  // Writes `bytes` to path()/name and returns the file's path.
  std::string write(const std::string& name, std::string_view bytes) const {
    const std::string file = path_ + "/" + name;
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return file;
  }

 private:
  std::string path_;
};

// `utf8` converted to `code_page` (an iconv name such as "CP932"); throws when it cannot be.
inline std::string encode(std::string_view utf8, const char* code_page) {
  const iconv_t cd = iconv_open(code_page, "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) throw std::runtime_error("no converter");
  std::string out(utf8.size() * 4 + 4, '\0');
  char* in = const_cast<char*>(utf8.data());
  std::size_t in_left = utf8.size();
  char* to = out.data();
  std::size_t to_left = out.size();
  const std::size_t rc = iconv(cd, &in, &in_left, &to, &to_left);
  iconv_close(cd);
  if (rc == static_cast<std::size_t>(-1)) throw std::runtime_error("cannot encode");
  out.resize(out.size() - to_left);
  return out;
}

}  // namespace xtest
