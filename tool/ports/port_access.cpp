#include <fcntl.h>
#include <grp.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

#include "port_checks.h"
#include "port_list.h"

namespace xtool::ports {

Identity current_identity() {
  Identity who;
  who.uid = ::geteuid();
  who.gid = ::getegid();
  // The list can change between the two calls; ask again then.
  for (int tries = 0; tries < 4; ++tries) {
    const int n = ::getgroups(0, nullptr);
    if (n < 0) break;
    who.groups.assign(static_cast<std::size_t>(n), 0);
    const int got = ::getgroups(n, who.groups.data());
    if (got >= 0) {
      who.groups.resize(static_cast<std::size_t>(got));
      break;
    }
    who.groups.clear();
    if (errno != EINVAL) break;
  }
  return who;
}

bool may_open(const struct stat& st, const Identity& who) {
  if (who.uid == 0) return true;
  mode_t need = S_IROTH | S_IWOTH;
  if (who.uid == st.st_uid) {
    need = S_IRUSR | S_IWUSR;
  } else if (who.gid == st.st_gid ||
             std::find(who.groups.begin(), who.groups.end(), st.st_gid) != who.groups.end()) {
    need = S_IRGRP | S_IWGRP;
  }
  return (st.st_mode & need) == need;
}

namespace detail {

std::string group_name(gid_t gid) {
  long size = ::sysconf(_SC_GETGR_R_SIZE_MAX);
  std::size_t len = size > 0 ? static_cast<std::size_t>(size) : 1024;
  // Big group databases can need more room; stop growing at a megabyte.
  while (len <= (1u << 20)) {
    std::string buffer(len, '\0');
    group entry{};
    group* found = nullptr;
    const int rc = ::getgrgid_r(gid, &entry, buffer.data(), buffer.size(), &found);
    if (rc == 0 && found != nullptr && found->gr_name != nullptr) return found->gr_name;
    if (rc != ERANGE) break;
    len *= 2;
  }
  return std::to_string(gid);
}

namespace {

// The first bytes of a small sysfs file; empty when it cannot be read. Opened without blocking
// and read only when it is a plain file, so a pipe put in its place cannot hang the lister.
std::string read_head(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) return {};
  std::string text;
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) {
    char buf[32];
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n > 0) text.assign(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return text;
}

bool exists(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0;
}

}  // namespace

std::string resolve(const std::string& path) {
  char* real = ::realpath(path.c_str(), nullptr);
  if (real == nullptr) return {};
  std::string out(real);
  std::free(real);
  return out;
}

bool is_terminal(const struct stat& st, const std::string& sys_dir) {
  if (!S_ISCHR(st.st_mode)) return false;
  const unsigned maj = major(st.st_rdev);
  if (maj >= 136 && maj <= 143) return true;  // pseudo-terminal slaves have no sysfs entry
  const std::string chars = sys_dir + "/dev/char";
  const std::string node =
      chars + "/" + std::to_string(maj) + ":" + std::to_string(minor(st.st_rdev));
  if (!exists(chars) || !exists(node)) return true;
  const std::string subsystem = resolve(node + "/subsystem");
  if (subsystem.empty()) return true;
  return subsystem.substr(subsystem.find_last_of('/') + 1) == "tty";
}

bool has_uart(const std::string& sys_dir, int index) {
  const std::string text = read_head(sys_dir + "/class/tty/ttyS" + std::to_string(index) + "/type");
  std::size_t end = text.find_first_not_of("0123456789");
  if (end == std::string::npos) end = text.size();
  if (end == 0) return true;
  return text.substr(0, end).find_first_not_of('0') != std::string::npos;
}

}  // namespace detail
}  // namespace xtool::ports
