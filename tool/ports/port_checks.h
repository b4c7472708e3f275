// The lister's checks on one device, shared by its two source files.
#pragma once

#include <sys/stat.h>

#include <string>

namespace xtool::ports::detail {

// The name of a group, or its number when the system knows no name for it.
std::string group_name(gid_t gid);

// Whether a device is a terminal, told without opening it: pseudo-terminals by their major
// number, other character devices by their sysfs subsystem. Where sysfs cannot tell, yes.
bool is_terminal(const struct stat& st, const std::string& sys_dir);

// Whether the PC's port ttyS<index> has a UART behind it: sysfs gives type 0 to a port the
// kernel reserved but found nothing at. Where sysfs cannot tell, yes.
bool has_uart(const std::string& sys_dir, int index);

// The resolved path of `path`, empty when it leads nowhere (dangling, a loop, too long).
std::string resolve(const std::string& path);

}  // namespace xtool::ports::detail
