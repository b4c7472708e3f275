#include "export_harness.h"

#include "xerv/xerv_common.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

namespace xfuzz {

namespace {

std::mutex answer_mu;
std::string current_answer;

// The reader: whenever bytes arrive, it waits for them to settle and sends the current answer.
[[noreturn]] void answer_loop(int master) {
  for (;;) {
    pollfd p{master, POLLIN, 0};
    if (::poll(&p, 1, -1) <= 0 || (p.revents & POLLIN) == 0) {
      ::usleep(1000);
      continue;
    }
    char buf[512];
    if (::read(master, buf, sizeof buf) <= 0) continue;
    std::string answer;
    {
      std::lock_guard lock(answer_mu);
      answer = current_answer;
    }
    if (!answer.empty()) [[maybe_unused]] auto n = ::write(master, answer.data(), answer.size());
  }
}

}  // namespace

std::int32_t Call::number(std::size_t i) const {
  std::int32_t v = 0;
  if (i < fields.size()) std::memcpy(&v, fields[i].data(), std::min<std::size_t>(4, fields[i].size()));
  return v;
}

Call split(const std::uint8_t* data, std::size_t size) {
  Call c;
  if (size == 0) return c;
  c.which = data[0];
  std::string field;
  for (std::size_t i = 1; i < size; ++i) {
    if (data[i] == 0 && c.fields.size() < 8) {
      c.null.push_back(field == "\x01");
      c.fields.push_back(field);
      field.clear();
    } else {
      field.push_back(static_cast<char>(data[i]));
    }
  }
  c.answer = field;
  return c;
}

CountedData counted_data(const Call& c) {
  const std::string& d = c.fields.size() > 1 ? c.fields[1] : c.answer;
  const std::int32_t wanted = c.number(0) % 300;
  const std::int32_t held = static_cast<std::int32_t>(d.size());
  CountedData out;
  out.count = wanted < 0 || wanted > held ? held : wanted;
  out.bytes = std::make_unique<char[]>(d.size() + 1);
  std::memcpy(out.bytes.get(), d.data(), d.size());
  return out;
}

void poll_queries() {
  int32_t v[8];
  char track[111];
  GetStatus(&v[0]);
  GetEvent_Status(&v[0], &v[1], &v[2]);
  GetError_Status(&v[0], &v[1], &v[2]);
  GetCard_Result(&v[0], &v[1], &v[2], &v[3], &v[4], &v[5], &v[6], &v[7]);
  GetTrk1Data(&v[0], track);
  GetTrk2Data(&v[0], track);
  GetTrk3Data(&v[0], track);
  GetTrk4Data(&v[0], track);
}

void set_answer(const std::string& answer) {
  std::lock_guard lock(answer_mu);
  current_answer = answer;
}

void open_port_once(int (*port_open)(const char*)) {
  static const bool opened = [port_open] {
    char dir[] = "/tmp/xerv-fuzz-XXXXXX";
    if (::mkdtemp(dir) == nullptr) abort();
    ::setenv("XERV_COM_DIR", dir, 1);
    ::setenv("XDG_RUNTIME_DIR", dir, 1);
    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) abort();
    if (::symlink(::ptsname(master), (std::string(dir) + "/COM1").c_str()) != 0) abort();
    std::thread(answer_loop, master).detach();
    if (port_open("1") != 0) abort();
    return true;
  }();
  (void)opened;
}

}  // namespace xfuzz
