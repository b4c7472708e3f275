// Link figures over a pseudo-terminal, printed for docs/performance.md:
//  - the time of a command answered at once by ACK, against the floor that every command pays
//    (100 ms of line silence ending the answer, plus the wire time of command and answer);
//  - the cost of the wire trace: the same command with XERV_TRACE naming a file and unset, in
//    alternating blocks, as a ratio;
//  - the CPU and wake-ups of a process that holds an open, idle port.
// Usage: link_bench [commands (200)] [idle seconds (10)]
#include <dirent.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "xerv/xerv3com.h"

namespace {

using Clock = std::chrono::steady_clock;

// The reader: answers every complete default-format frame (STX ... ETX BCC) with ACK at once,
// without waiting for silence, so that what is measured is the library's own latency.
[[noreturn]] void answer_forever(int master) {
  std::vector<unsigned char> buf;
  for (;;) {
    pollfd p{master, POLLIN, 0};
    if (::poll(&p, 1, -1) <= 0) continue;
    unsigned char chunk[256];
    const ssize_t n = ::read(master, chunk, sizeof chunk);
    if (n <= 0) {
      ::usleep(1000);
      continue;
    }
    buf.insert(buf.end(), chunk, chunk + n);
    if (buf.size() >= 4 && buf[buf.size() - 2] == 0x03) {
      const unsigned char ack = 0x06;
      [[maybe_unused]] auto w = ::write(master, &ack, 1);
      buf.clear();
    }
  }
}

// Voluntary and involuntary context switches of every thread of this process but the caller's.
long library_switches() {
  long total = 0;
  const std::string self = std::to_string(::gettid());
  DIR* d = ::opendir("/proc/self/task");
  if (d == nullptr) return 0;
  while (dirent* e = ::readdir(d)) {
    if (e->d_name[0] == '.' || self == e->d_name) continue;
    std::ifstream status(std::string("/proc/self/task/") + e->d_name + "/status");
    std::string line;
    while (std::getline(status, line))
      if (line.rfind("voluntary_ctxt_switches:", 0) == 0 ||
          line.rfind("nonvoluntary_ctxt_switches:", 0) == 0)
        total += std::stol(line.substr(line.find(':') + 1));
  }
  ::closedir(d);
  return total;
}

// The round trip of `count` commands, in milliseconds each; empty after a failure.
std::vector<double> round_trips(int count) {
  std::vector<double> ms;
  for (int i = 0; i < count; ++i) {
    const auto t0 = Clock::now();
    const int r = Op_Prohibition();
    const auto t1 = Clock::now();
    if (r != 0) {
      std::fprintf(stderr, "command %d failed: %d\n", i, r);
      return {};
    }
    ms.push_back(std::chrono::duration<double, std::milli>(t1 - t0).count());
  }
  return ms;
}

double median_of(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// The same commands with the trace off and on (to `trace_path`), in alternating blocks so that a
// change in the machine's load falls on both alike. Opens and closes the port itself.
bool trace_cost(int commands, const std::string& trace_path) {
  constexpr int kBlocks = 4;
  const int per_block = std::max(1, commands / kBlocks);
  std::vector<double> off, on;
  for (int b = 0; b < 2 * kBlocks; ++b) {
    const bool traced = b % 2 == 1;
    if (traced)
      ::setenv("XERV_TRACE", trace_path.c_str(), 1);
    else
      ::unsetenv("XERV_TRACE");
    if (rs_PortOpen("1") != 0) return false;
    const std::vector<double> ms = round_trips(per_block);
    rs_PortClose();
    if (ms.empty()) return false;
    (traced ? on : off).insert((traced ? on : off).end(), ms.begin(), ms.end());
  }
  ::unsetenv("XERV_TRACE");
  const double m_off = median_of(off), m_on = median_of(on);
  const auto mean = [](const std::vector<double>& v) {
    double sum = 0;
    for (const double x : v) sum += x;
    return sum / static_cast<double>(v.size());
  };
  std::printf("Wire trace: the same command, XERV_TRACE unset and naming a file (%zu each way)\n",
              off.size());
  std::printf("  median  off %.3f ms, on %.3f ms: ratio %.4f\n", m_off, m_on, m_on / m_off);
  std::printf("  mean    off %.3f ms, on %.3f ms: ratio %.4f\n", mean(off), mean(on),
              mean(on) / mean(off));
  return true;
}

double cpu_seconds() {
  rusage u{};
  ::getrusage(RUSAGE_SELF, &u);
  return u.ru_utime.tv_sec + u.ru_stime.tv_sec + (u.ru_utime.tv_usec + u.ru_stime.tv_usec) / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  const int commands = argc > 1 ? std::max(1, std::atoi(argv[1])) : 200;
  const int idle_seconds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 10;

  char dir[] = "/tmp/xerv-bench-XXXXXX";
  if (::mkdtemp(dir) == nullptr) return 1;
  ::setenv("XERV_COM_DIR", dir, 1);
  ::setenv("XDG_RUNTIME_DIR", dir, 1);
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
  if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) return 1;
  const std::string link = std::string(dir) + "/COM1";
  if (::symlink(::ptsname(master), link.c_str()) != 0) return 1;
  const pid_t reader = ::fork();
  if (reader == 0) answer_forever(master);

  ::unsetenv("XERV_TRACE");  // the first figures are the library's without its trace
  if (const int r = rs_PortOpen("1"); r != 0) {
    std::fprintf(stderr, "rs_PortOpen failed: %d\n", r);
    return 1;
  }
  std::vector<double> ms = round_trips(commands);
  if (ms.empty()) return 1;
  std::sort(ms.begin(), ms.end());
  // "PP" framed is 5 bytes, the ACK 1; at 9600 baud with 8 data bits, parity and one stop bit a
  // byte takes 11 bits.
  const double wire_ms = 6 * 11 * 1000.0 / 9600;
  const double floor_ms = 100 + wire_ms;
  const double median = ms[ms.size() / 2];
  const double p99 = ms[std::min(ms.size() - 1, ms.size() * 99 / 100)];
  std::printf("Command answered by ACK (%d commands, 9600 baud 8E1, pseudo-terminal)\n", commands);
  std::printf("  floor: 100 ms silence + %.2f ms wire time = %.2f ms\n", wire_ms, floor_ms);
  // A pseudo-terminal has no wire time: the time over the 100 ms silence is the library's own.
  const auto row = [&](const char* name, double v) {
    std::printf("  %-6s %.2f ms (%.3f x floor; %.2f ms over the silence)\n", name, v, v / floor_ms,
                v - 100);
  };
  row("median", median);
  row("p99", p99);
  row("max", ms.back());

  const double cpu0 = cpu_seconds();
  const long sw0 = library_switches();
  std::this_thread::sleep_for(std::chrono::seconds(idle_seconds));
  const double cpu1 = cpu_seconds();
  const long sw1 = library_switches();
  std::printf("Open, idle port over %d s\n", idle_seconds);
  std::printf("  CPU        %.4f %% of one core\n", 100.0 * (cpu1 - cpu0) / idle_seconds);
  std::printf("  wake-ups   %.2f per second (library threads)\n",
              static_cast<double>(sw1 - sw0) / idle_seconds);

  rs_PortClose();

  const std::string trace_path = std::string(dir) + "/bench.trace";
  const bool traced = trace_cost(commands, trace_path);
  ::unlink(trace_path.c_str());
  ::kill(reader, SIGKILL);
  ::waitpid(reader, nullptr, 0);
  ::unlink(link.c_str());
  ::rmdir(dir);
  return traced ? 0 : 1;
}
