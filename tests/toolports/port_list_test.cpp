// The port finder's lister over fake port, by-id, dev and sys folders in a temporary folder, with
// pseudo-terminals as the devices and a made-up user for the permissions (the tests may run as
// root, whom every mode lets through).
#include "port_list.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace xtool::ports {
namespace {

namespace fs = std::filesystem;

// A temporary folder, removed with everything in it.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (fs::temp_directory_path() / "toolports-XXXXXX").string();
    if (::mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }
  std::string sub(const std::string& name) const {
    fs::create_directories(path_ + "/" + name);
    return path_ + "/" + name;
  }

 private:
  std::string path_;
};

// A pseudo-terminal held open for the test; its slave is the device the links lead to.
class Pty {
 public:
  Pty() {
    master_ = ::posix_openpt(O_RDWR | O_NOCTTY);
    char name[128] = {};
    if (master_ >= 0 && ::grantpt(master_) == 0 && ::unlockpt(master_) == 0 &&
        ::ptsname_r(master_, name, sizeof name) == 0)
      slave_ = name;
  }
  ~Pty() {
    if (master_ >= 0) ::close(master_);
  }
  const std::string& slave() const { return slave_; }

 private:
  int master_ = -1;
  std::string slave_;
};

std::string group_of(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return "?";
  const group* g = ::getgrgid(st.st_gid);
  return g != nullptr ? g->gr_name : std::to_string(st.st_gid);
}

void write_file(const std::string& path, const std::string& text, mode_t mode) {
  std::ofstream(path) << text;
  ::chmod(path.c_str(), mode);
}

void link(const std::string& target, const std::string& at) {
  fs::create_symlink(target, at);
}

const char* name_of(Access a) {
  switch (a) {
    case Access::Ok:
      return "Ok";
    case Access::NoPermission:
      return "NoPermission";
    case Access::Missing:
      return "Missing";
    case Access::NotATerminal:
      return "NotATerminal";
  }
  return "?";
}

// One line per entry, so a failure shows the whole list side by side with the expected one.
std::string show(const std::vector<PortEntry>& entries) {
  std::string out;
  for (const PortEntry& e : entries) {
    out += "COM" + std::to_string(e.com) + " " + e.path + " -> [" + e.device + "] usb[" + e.usb_id +
           "] " + name_of(e.access) + " group[" + e.group + "]\n";
  }
  return out;
}

TEST(PortAccess, ModeBitsDecideAsTheKernelDoes) {
  const Identity owner{1000, 1000, {}};
  const Identity member{2000, 2000, {27, 1000}};
  const Identity primary{2000, 1000, {}};
  const Identity stranger{3000, 3000, {27}};
  const Identity root{0, 0, {}};
  struct Case {
    mode_t mode;
    const Identity& who;
    bool expected;
  } cases[] = {
      {0600, owner, true},    {0400, owner, false},    {0200, owner, false},
      {0066, owner, false},  // the owner's bits alone count for the owner
      {0060, member, true},   {0040, member, false},   {0060, primary, true},
      {0606, member, false},  // a member gets the group's bits, not the others'
      {0006, stranger, true}, {0660, stranger, false}, {0000, root, true},
  };
  for (const Case& c : cases) {
    struct stat st {};
    st.st_mode = S_IFCHR | c.mode;
    st.st_uid = 1000;
    st.st_gid = 1000;
    EXPECT_EQ(may_open(st, c.who), c.expected)
        << "mode " << std::oct << c.mode << std::dec << " uid " << c.who.uid;
  }
}

TEST(PortList, ListsWhatTheUserCanOpenAndMarksTheRest) {
  TempDir tmp;
  ASSERT_FALSE(tmp.path().empty());
  Pty a, b, c, d;
  ASSERT_FALSE(a.slave().empty() || b.slave().empty() || c.slave().empty() || d.slave().empty());
  ::chmod(a.slave().c_str(), 0666);
  ::chmod(b.slave().c_str(), 0666);  // c keeps the mode devpts gave it
  ::chmod(d.slave().c_str(), 0000);

  const std::string dir = tmp.sub("com");
  const std::string by_id = tmp.sub("by-id");
  const std::string locked = tmp.path() + "/locked";
  const std::string plain = tmp.path() + "/plain";
  write_file(locked, "", 0000);
  write_file(plain, "", 0666);

  link(a.slave(), dir + "/COM1");
  link(b.slave(), dir + "/COM2");
  link(tmp.path() + "/gone", dir + "/COM3");
  link(d.slave(), dir + "/COM4");
  link(plain, dir + "/COM5");
  link(c.slave(), dir + "/COM6");
  fs::create_directory(dir + "/COM7");
  link(dir + "/COM9", dir + "/COM8");  // a loop of links
  link(dir + "/COM8", dir + "/COM9");
  link(a.slave(), dir + "/COM10");
  link(locked, dir + "/COM12");  // no port, whoever may read it
  link(a.slave(), dir + "/COM255");
  for (const char* odd : {"COM0", "COM256", "COM03", "COMx", "com1", "COM1.bak", "COM", "COM-1",
                          "COM99999999999999999999", "README"})
    link(a.slave(), dir + "/" + odd);
  // Two adapter names for one device: the first by name is shown.
  link(b.slave(), by_id + "/usb-Maker_Adapter_A1B2-if00-port0");
  link(b.slave(), by_id + "/usb-Zed_Other-if00-port0");
  link(tmp.path() + "/gone", by_id + "/usb-Unplugged-if00-port0");

  // Neither the owner of the files nor in their group, nor in the terminals' group.
  const gid_t pty_gid = [&] {
    struct stat st {};
    ::stat(c.slave().c_str(), &st);
    return st.st_gid;
  }();
  gid_t other_gid = 54321;
  while (other_gid == ::getgid() || other_gid == pty_gid) ++other_gid;
  const Identity stranger{::getuid() + 1, other_gid, {other_gid}};

  struct stat cst {};
  ::stat(c.slave().c_str(), &cst);
  const bool c_open = (cst.st_mode & 0006) == 0006;

  Folders folders;
  folders.com_dir = dir;
  folders.by_id_dir = by_id;
  folders.dev_dir = tmp.sub("dev");
  folders.sys_dir = tmp.sub("sys");
  folders.com_dir_from_env = true;

  const std::vector<PortEntry> expected = {
      {1, dir + "/COM1", a.slave(), "", Access::Ok, ""},
      {2, dir + "/COM2", b.slave(), "usb-Maker_Adapter_A1B2-if00-port0", Access::Ok, ""},
      {3, dir + "/COM3", "", "", Access::Missing, ""},
      {4, dir + "/COM4", d.slave(), "", Access::NoPermission, group_of(d.slave())},
      {5, dir + "/COM5", plain, "", Access::NotATerminal, ""},
      {6, dir + "/COM6", c.slave(), "", c_open ? Access::Ok : Access::NoPermission,
       c_open ? "" : group_of(c.slave())},
      {7, dir + "/COM7", fs::canonical(dir + "/COM7").string(), "", Access::NotATerminal, ""},
      {8, dir + "/COM8", "", "", Access::Missing, ""},
      {9, dir + "/COM9", "", "", Access::Missing, ""},
      {10, dir + "/COM10", a.slave(), "", Access::Ok, ""},
      {12, dir + "/COM12", locked, "", Access::NotATerminal, ""},
      {255, dir + "/COM255", a.slave(), "", Access::Ok, ""},
  };
  EXPECT_EQ(show(list_ports(folders, stranger)), show(expected));
}

TEST(PortList, FallsBackToThePcPortsAsTheLibraryDoes) {
  TempDir tmp;
  ASSERT_FALSE(tmp.path().empty());
  Pty a, b;
  ASSERT_FALSE(a.slave().empty() || b.slave().empty());
  ::chmod(a.slave().c_str(), 0666);
  ::chmod(b.slave().c_str(), 0666);

  const std::string dir = tmp.sub("xerv");
  const std::string dev = tmp.sub("dev");
  const std::string sys = tmp.sub("sys");
  link(a.slave(), dir + "/COM1");
  link(tmp.path() + "/gone", dir + "/COM3");
  link(tmp.path() + "/gone", dir + "/COM5");
  link(b.slave(), dev + "/ttyS0");  // behind COM1 of the folder: never opened
  link(b.slave(), dev + "/ttyS1");
  link(a.slave(), dev + "/ttyS2");  // opened for COM3, whose link leads nowhere
  link(a.slave(), dev + "/ttyS3");  // no UART
  link(a.slave(), dev + "/ttyS6");
  link(a.slave(), dev + "/ttyS7");  // a pipe for its type: cannot tell, so listed
  for (const auto& [port, type] : {std::pair{"ttyS3", "0\n"}, std::pair{"ttyS6", "4\n"}}) {
    fs::create_directories(sys + "/class/tty/" + port);
    write_file(sys + "/class/tty/" + port + "/type", type, 0444);
  }
  fs::create_directories(sys + "/class/tty/ttyS7");
  ASSERT_EQ(::mkfifo((sys + "/class/tty/ttyS7/type").c_str(), 0666), 0);

  Folders folders;
  folders.com_dir = dir;
  folders.by_id_dir = tmp.path() + "/no-such-folder";
  folders.dev_dir = dev;
  folders.sys_dir = sys;

  struct Case {
    bool from_env;
    std::vector<PortEntry> expected;
  } cases[] = {
      {false,
       {{1, dir + "/COM1", a.slave(), "", Access::Ok, ""},
        {2, dev + "/ttyS1", b.slave(), "", Access::Ok, ""},
        {3, dev + "/ttyS2", a.slave(), "", Access::Ok, ""},
        {5, dir + "/COM5", "", "", Access::Missing, ""},
        {7, dev + "/ttyS6", a.slave(), "", Access::Ok, ""},
        {8, dev + "/ttyS7", a.slave(), "", Access::Ok, ""}}},
      {true,
       {{1, dir + "/COM1", a.slave(), "", Access::Ok, ""},
        {3, dir + "/COM3", "", "", Access::Missing, ""},
        {5, dir + "/COM5", "", "", Access::Missing, ""}}},
  };
  for (const Case& c : cases) {
    folders.com_dir_from_env = c.from_env;
    EXPECT_EQ(show(list_ports(folders)), show(c.expected)) << "from_env " << c.from_env;
  }
}

TEST(PortList, TellsOtherCharacterDevicesFromTerminals) {
  if (::access("/sys/dev/char/1:3/subsystem", F_OK) != 0) GTEST_SKIP() << "no sysfs";
  TempDir tmp;
  const std::string dir = tmp.sub("com");
  link("/dev/null", dir + "/COM1");
  Folders folders;
  folders.com_dir = dir;
  folders.com_dir_from_env = true;
  const std::vector<PortEntry> entries = list_ports(folders, Identity{0, 0, {}});
  ASSERT_EQ(entries.size(), 1u);
  EXPECT_EQ(entries[0].access, Access::NotATerminal);
}

TEST(PortList, DefaultFoldersFollowTheEnvironment) {
  struct Case {
    const char* value;  // nullptr: unset
    const char* dir;
    bool from_env;
  } cases[] = {
      {"/tmp/ports", "/tmp/ports", true}, {"", "/dev/xerv", false}, {nullptr, "/dev/xerv", false}};
  for (const Case& c : cases) {
    if (c.value != nullptr) {
      ::setenv("XERV_COM_DIR", c.value, 1);
    } else {
      ::unsetenv("XERV_COM_DIR");
    }
    const Folders f = default_folders();
    EXPECT_EQ(f.com_dir, c.dir);
    EXPECT_EQ(f.com_dir_from_env, c.from_env);
    EXPECT_EQ(f.by_id_dir, "/dev/serial/by-id");
    EXPECT_EQ(f.dev_dir, "/dev");
  }
}

}  // namespace
}  // namespace xtool::ports
