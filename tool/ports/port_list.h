// The serial ports a user can pick in the tool: every COM number the libraries would open, the
// device it leads to, a USB adapter's name and whether this user may open it. Nothing here opens
// a device: all is read from the file system (links, modes, owners, sysfs).
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace xtool::ports {

enum class Access {
  Ok,
  NoPermission,  // the mode and owner of the device refuse reading and writing to this user
  Missing,       // a dangling link, a loop of links, a device gone
  NotATerminal,  // leads to something that is no serial port (a file, a folder, another device)
};

struct PortEntry {
  int com = 0;         // 1..255
  std::string path;    // what the library opens, e.g. /tmp/x/COM3 or /dev/ttyS0
  std::string device;  // where it leads (the resolved path), empty when it leads nowhere
  std::string usb_id;  // the name in the by-id folder that leads to the same device, if any
  Access access = Access::Missing;
  std::string group;  // the group owning the device, when NoPermission (its number if unnamed)
};

struct Folders {
  std::string com_dir;                          // holds the COM<n> entries
  std::string by_id_dir = "/dev/serial/by-id";  // the USB adapters' stable names
  std::string dev_dir = "/dev";                 // holds the PC's own ports ttyS<n>
  std::string sys_dir = "/sys";                 // tells UARTs and terminals apart
  bool com_dir_from_env = false;                // XERV_COM_DIR set: no ttyS fallback
};

// The folders the libraries use: $XERV_COM_DIR when set and not empty, else /dev/xerv.
Folders default_folders();

// Whom a permission is decided for: effective user, group and supplementary groups.
struct Identity {
  uid_t uid = 0;
  gid_t gid = 0;
  std::vector<gid_t> groups;
};
Identity current_identity();

// Whether the mode bits let `who` read and write the file, as the kernel decides them (user 0
// passes; the owner's bits apply to the owner alone, the group's to its members).
bool may_open(const struct stat& st, const Identity& who);

// Every COM number the libraries would open, sorted by number: the COM<n> entries of the port
// folder (n from 1 to 255 written without leading zeros, other names ignored) and, when the
// folder is not from the environment, the ports dev_dir/ttyS<n-1> for the numbers whose COM<n>
// does not resolve (as the library falls back), where they exist and have a UART. A dangling
// COM<n> with no ttyS<n-1> behind it stays listed as Missing.
// The first form decides permissions for this process, and also asks the kernel where the mode
// bits refuse (access lists may grant); the second for the given identity, by mode bits alone.
std::vector<PortEntry> list_ports(const Folders& folders);
std::vector<PortEntry> list_ports(const Folders& folders, const Identity& who);

}  // namespace xtool::ports
