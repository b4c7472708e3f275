// The reader's end of the line: the master side of a pseudo-terminal whose slave is linked as
// COM<n> in the port folder. The reader keeps a slave descriptor of its own open (set to raw), so
// that the slave keeps its settings and the master never sees a hang-up between host sessions.
#pragma once

#include <string>

namespace xsim {

class PtyPort {
 public:
  PtyPort() = default;
  ~PtyPort();
  PtyPort(const PtyPort&) = delete;
  PtyPort& operator=(const PtyPort&) = delete;

  void set_link(std::string path) { link_ = std::move(path); }
  // A new pseudo-terminal, linked under the link path (replacing the old link). Throws
  // std::runtime_error when it cannot be made.
  void open();
  // Closes the pseudo-terminal: the host sees a hang-up. The link stays and now leads nowhere.
  void close();
  // Removes the link.
  void unlink();

  bool is_open() const { return master_ >= 0; }
  int master() const { return master_; }
  const std::string& link() const { return link_; }
  const std::string& slave_name() const { return slave_name_; }

 private:
  std::string link_;
  std::string slave_name_;
  int master_ = -1;
  int slave_ = -1;
};

}  // namespace xsim
