// Gives each test process its own port folder ($XERV_COM_DIR) and lock folder ($XDG_RUNTIME_DIR).
#pragma once

#include <string>

namespace xtest {

// Creates the folders and sets the variables on first use; returns the port folder.
const std::string& com_dir();

}  // namespace xtest
