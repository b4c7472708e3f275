// The information sweep's duration, printed for docs/performance.md. The window runs offscreen
// in this process against a virtual reader in this process, as in the tool's tests; each sweep
// is timed from the button's click to its return, and set against its floor: every command pays
// the 100 ms of line silence that ends the reader's answer, plus the wire time of the command
// and its answer at the line's rate (the pseudo-terminal itself has none, so the floor is what a
// real line would take at the least).
//
// Each sweep gets a fresh reader, so that its frames both ways can be counted exactly. Two
// readers are measured: the virtual reader as it comes (it takes a frame from the host as ended
// after its default silence, 5 ms: its own turnaround), and one that answers after 1 ms, which
// leaves the tool and the libraries nearly alone over the floor.
//
// Usage: sweep_bench [sweeps per protocol and reader (10)]
#include <stdlib.h>

#include <QApplication>
#include <QElapsedTimer>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dispatch.h"
#include "library_binding.h"
#include "radio_group.h"
#include "tfrm_main.h"
#include "virtual_reader.h"
#include "window_runner.h"

namespace {

namespace fs = std::filesystem;

constexpr double kSilenceMs = 100.0;  // ends every answer the library takes in

struct Figures {
  std::vector<double> ms;
  std::vector<double> outside_ms;  // per sweep: the window's time between device calls
  std::size_t commands = 0;        // per sweep
  std::size_t bytes = 0;           // per sweep, both ways
  double wire_ms = 0;              // per sweep
};

fs::path make_dir(const char* name) {
  std::string tmpl = (fs::temp_directory_path() / name).string() + "-XXXXXX";
  if (::mkdtemp(tmpl.data()) == nullptr) {
    std::perror("mkdtemp");
    std::exit(1);
  }
  return tmpl;
}

// The line in force during a sweep: both libraries open the port at 9600 baud, 8 data bits, even
// parity and one stop bit, and the sweep changes nothing on the PC side. A byte is a start bit,
// the data bits, the parity bit and the stop bit.
constexpr int kBaud = 9600;
constexpr int kBitsPerByte = 1 + 8 + 1 + 1;

// Runs each call through the window's runner and adds up the time spent inside the calls, so
// that what the window does between them (painting, the progress bar, its own work) shows apart.
class TimedRunner final : public xtool::CallRunner {
 public:
  explicit TimedRunner(xtool::CallRunner& inner) : inner_(inner) {}
  int32_t run(const std::function<int32_t()>& call) override {
    QElapsedTimer clock;
    clock.start();
    const int32_t r = inner_.run(call);
    inside_ms += static_cast<double>(clock.nsecsElapsed()) / 1e6;
    ++calls;
    return r;
  }
  bool busy() const override { return inner_.busy(); }
  double inside_ms = 0;
  int calls = 0;

 private:
  xtool::CallRunner& inner_;
};

Figures measure(TfrmMain& w, xtool::Dispatch& dispatch, TimedRunner& runner,
                xsim::Protocol protocol, int sweeps, int silence_ms, const fs::path& com_dir) {
  Figures f;
  const double ms_per_byte = 1000.0 * kBitsPerByte / kBaud;
  for (int i = 0; i < sweeps; ++i) {
    xsim::Options options;
    options.protocol = protocol;
    options.com = 60;
    options.dir = com_dir.string();
    options.timing.silence = std::chrono::milliseconds(silence_ms);
    auto reader = std::make_unique<xsim::VirtualReader>(options);
    reader->start();
    w.edtComPort->setText(QString::fromStdString(reader->port()));
    w.rdgProtocol->setItemIndex(protocol == xsim::Protocol::Xerv3 ? 1 : 0);
    w.btnPortOpen->click();
    if (!w.StatusBar1->currentMessage().endsWith("Port Open OK !!")) {
      std::fprintf(stderr, "port open failed: %s\n",
                   w.StatusBar1->currentMessage().toStdString().c_str());
      std::exit(1);
    }
    const std::size_t before = reader->received().size();
    const std::size_t sent_before = reader->sent().size();

    runner.inside_ms = 0;
    QElapsedTimer clock;
    clock.start();
    w.btnAll_Get->click();
    const double took = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    f.ms.push_back(took);
    f.outside_ms.push_back(took - runner.inside_ms);

    std::size_t commands = 0, bytes = 0;
    const auto received = reader->received();
    for (std::size_t k = before; k < received.size(); ++k) {
      if (received[k].kind == xsim::HostFrame::Kind::Command) ++commands;
      bytes += received[k].raw.size();
    }
    const auto sent = reader->sent();
    for (std::size_t k = sent_before; k < sent.size(); ++k) bytes += sent[k].size();
    if (i > 0 && (commands != f.commands || bytes != f.bytes)) {
      std::fprintf(stderr, "sweep %d sent %zu commands (%zu bytes), the first %zu (%zu)\n", i,
                   commands, bytes, f.commands, f.bytes);
    }
    f.commands = commands;
    f.bytes = bytes;
    f.wire_ms = static_cast<double>(bytes) * ms_per_byte;

    dispatch.rs_PortClose();
    reader->stop();
  }
  return f;
}

double median_of(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void print(const char* name, int silence_ms, const Figures& f) {
  const double median = median_of(f.ms);
  const double worst = *std::max_element(f.ms.begin(), f.ms.end());
  const double commands = static_cast<double>(f.commands);
  const double floor = commands * kSilenceMs + f.wire_ms;
  const double outside = median_of(f.outside_ms);
  // Inside the calls, beyond the 100 ms silence: the reader's turnaround and the libraries.
  const double inside_over = (median - outside - commands * kSilenceMs) / commands;
  std::printf(
      "%s, reader turnaround %2d ms: %zu commands, %zu bytes both ways (wire %.1f ms)\n"
      "  sweep median %.1f ms (max %.1f); floor %.1f ms; ratio %.3f (max %.3f)\n"
      "  a command over its 100 ms silence: %.2f ms inside the call, %.2f ms in the window "
      "between calls\n",
      name, silence_ms, f.commands, f.bytes, f.wire_ms, median, worst, floor, median / floor,
      worst / floor, inside_over, outside / commands);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  const int sweeps = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  // A port folder and a lock folder of this run's own.
  const fs::path com_dir = make_dir("sweep-bench-com");
  const fs::path run_dir = make_dir("sweep-bench-run");
  setenv("XERV_COM_DIR", com_dir.c_str(), 1);
  setenv("XDG_RUNTIME_DIR", run_dir.c_str(), 1);
  QApplication app(argc, argv);

  xtool::Libraries libs;
  const auto bound = xtool::bind_libraries({XERV3_DIR, XERV1_DIR}, libs);
  if (!bound.ok) {
    std::fprintf(stderr, "%s\n", bound.error.c_str());
    return 1;
  }
  WindowRunner window_runner;
  TimedRunner runner(window_runner);
  xtool::Dispatch dispatch(libs, runner);
  ToolEnvironment env;
  env.data_dirs = {TOOL_DATA_DIR};
  env.manual_dirs = {TOOL_DATA_DIR};
  env.message = [](const QString& text) {
    std::fprintf(stderr, "message: %s\n", text.toStdString().c_str());
  };
  TfrmMain w(dispatch, env);
  w.show();
  QCoreApplication::processEvents();

  std::printf("%d sweeps each; line %d baud, %d bits a byte\n", sweeps, kBaud, kBitsPerByte);
  const int as_it_comes = static_cast<int>(xsim::Timing{}.silence.count());
  for (const int silence : {as_it_comes, 1}) {
    print("XERV3", silence,
          measure(w, dispatch, runner, xsim::Protocol::Xerv3, sweeps, silence, com_dir));
    print("XERV1", silence,
          measure(w, dispatch, runner, xsim::Protocol::Xerv1, sweeps, silence, com_dir));
  }
  fs::remove_all(com_dir);
  fs::remove_all(run_dir);
  return 0;
}
