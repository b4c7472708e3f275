// xerv-sim: a virtual card reader on a pseudo-terminal. It links COM<n> into the port folder and
// answers like a reader of the chosen protocol; it is driven by the control language at its
// prompt or from a script.
#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <csignal>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>

#include "control.h"
#include "virtual_reader.h"

namespace {

using xsim::parse_number;

volatile std::sig_atomic_t g_stop = 0;

void on_signal(int) {
  g_stop = 1;
}

constexpr std::string_view kUsage = R"(usage: xerv-sim [options]
  --protocol xerv3|xerv1   the protocol the reader speaks at start (xerv3)
  --com N                  the port number: the link is COM<N> (1)
  --dir DIR                the port folder (default $XERV_COM_DIR, else a new temporary folder,
                           printed as an export line to paste)
  --model CODE             the connection model whose layout card reports follow (101)
  --script FILE            run the control lines of FILE first
  --auto-card SECONDS      present a sample card that long after every read or write command
  --access-code CODE       the EEPROM access code the reader accepts under both protocols
                           (default: each protocol's library code)
  --ack-sets               answer a setting's set form with ACK instead of its values
  --trace                  print every frame both ways with a time stamp, in hex and as text
  --no-prompt              read no control lines from standard input; run until a signal
  --help                   this text; "help" at the prompt lists the control commands
)";

struct Args {
  xsim::Options options;
  std::string script;
  bool prompt = true;
};

// Returns false (after a message) when the arguments are wrong; exits for --help.
bool parse_args(int argc, char** argv, Args& a) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool has_value = i + 1 < argc;
    const std::string_view value = has_value ? argv[i + 1] : "";
    auto take = [&] { return has_value ? (++i, true) : false; };
    if (arg == "--help") {
      std::cout << kUsage;
      std::exit(0);
    } else if (arg == "--trace") {
      a.options.trace = true;
    } else if (arg == "--ack-sets") {
      a.options.ack_sets = true;
    } else if (arg == "--no-prompt") {
      a.prompt = false;
    } else if (arg == "--protocol" && take() && (value == "xerv3" || value == "xerv1")) {
      a.options.protocol = value == "xerv3" ? xsim::Protocol::Xerv3 : xsim::Protocol::Xerv1;
    } else if (arg == "--com" && take() && parse_number(value, a.options.com) &&
               a.options.com > 0) {
    } else if (arg == "--dir" && take() && !value.empty()) {
      a.options.dir = value;
    } else if (arg == "--model" && take() && parse_number(value, a.options.model)) {
    } else if (arg == "--script" && take()) {
      a.script = value;
    } else if (arg == "--access-code" && take() && !value.empty()) {
      a.options.access_code_xerv3 = value;
      a.options.access_code_xerv1 = value;
    } else if (int s = 0; arg == "--auto-card" && take() && parse_number(value, s) && s >= 0) {
      a.options.timing.auto_card = std::chrono::seconds(s);
    } else {
      std::cerr << "xerv-sim: bad argument " << arg << "\n" << kUsage;
      return false;
    }
  }
  return true;
}

// Runs one control line; prints what it shows. Returns false when the session ends.
bool run_line(xsim::VirtualReader& reader, const std::string& line, const std::string& where) {
  const xsim::ControlResult r = xsim::run_control(reader, line);
  if (!r.ok) {
    std::cerr << where << r.output << '\n';
  } else if (!r.output.empty()) {
    std::cout << r.output << std::flush;
  }
  return !r.quit;
}

bool run_script(xsim::VirtualReader& reader, const std::string& path) {
  std::ifstream in(path);
  if (!in) {
    std::cerr << "xerv-sim: cannot read " << path << '\n';
    return false;
  }
  std::string line;
  for (int n = 1; std::getline(in, line) && g_stop == 0; ++n) {
    if (!run_line(reader, line, path + ":" + std::to_string(n) + ": ")) return false;
  }
  return true;
}

void run_prompt(xsim::VirtualReader& reader) {
  const bool interactive = ::isatty(STDIN_FILENO) != 0;
  std::string line;
  while (g_stop == 0) {
    if (interactive) std::cout << "xerv-sim> " << std::flush;
    if (!std::getline(std::cin, line)) break;
    if (!run_line(reader, line, "")) break;
  }
}

void install_signals(sigset_t& set) {
  struct sigaction sa {};
  sa.sa_handler = on_signal;  // no SA_RESTART: a waiting read ends
  sigaction(SIGINT, &sa, nullptr);
  sigaction(SIGTERM, &sa, nullptr);
  sigemptyset(&set);
  sigaddset(&set, SIGINT);
  sigaddset(&set, SIGTERM);
}

}  // namespace

int main(int argc, char** argv) {
  Args args;
  if (!parse_args(argc, argv, args)) return 2;
  sigset_t signals;
  install_signals(signals);
  // The reader's thread starts with the signals blocked, so they reach this thread.
  pthread_sigmask(SIG_BLOCK, &signals, nullptr);
  xsim::VirtualReader reader(args.options);
  try {
    reader.start();
  } catch (const std::exception& e) {
    std::cerr << "xerv-sim: " << e.what() << '\n';
    return 1;
  }
  pthread_sigmask(SIG_UNBLOCK, &signals, nullptr);

  if (reader.made_dir()) std::cout << "export XERV_COM_DIR=" << reader.dir() << '\n';
  std::cout << "xerv-sim: " << (args.options.protocol == xsim::Protocol::Xerv3 ? "XERV3" : "XERV1")
            << " reader on " << reader.link_path() << " -> " << reader.slave_name() << std::endl;

  bool go_on = args.script.empty() || run_script(reader, args.script);
  if (go_on && args.prompt) {
    run_prompt(reader);
  } else if (go_on) {
    while (g_stop == 0) ::pause();
  }
  reader.stop();
  return 0;
}
