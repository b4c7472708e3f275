#include "test_env.h"

#include <stdlib.h>

#include <cstdlib>
#include <stdexcept>

namespace xtest {

const std::string& com_dir() {
  static const std::string dir = [] {
    char tmpl[] = "/tmp/xerv-test-XXXXXX";
    if (::mkdtemp(tmpl) == nullptr) throw std::runtime_error("mkdtemp failed");
    const std::string base = tmpl;
    ::setenv("XERV_COM_DIR", base.c_str(), 1);
    ::setenv("XDG_RUNTIME_DIR", base.c_str(), 1);
    return base;
  }();
  return dir;
}

}  // namespace xtest
