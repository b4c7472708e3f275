// The wire trace (XERV_TRACE) of a library against the virtual reader, which traces the same line
// from the other end: both traces must show the same bytes, in the same order and format. Built
// once per library (TRACE_XERV1 selects libxerv1).
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <mutex>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "reader_fixture.h"
#include "sample_cards.h"
#include "trace_line.h"

#ifdef TRACE_XERV1
#include "xerv/xerv1.h"
#else
#include "xerv/xerv3com.h"
#endif

namespace {

using namespace std::chrono_literals;
using namespace xtest::cards;
using xsim::Protocol;

// What differs between the two libraries, one row each; the build picks its own.
struct Library {
  Protocol protocol;
  const char* name;
  int32_t (*read)();  // a read command answered by ACK, its card data reported later
  bool has_events;    // the reader can send events (XERV1 readers send none)
};

#ifdef TRACE_XERV1
constexpr Library kLibrary{Protocol::Xerv1, "libxerv1", [] { return MagCard_Read(nullptr); },
                           false};
#else
constexpr Library kLibrary{Protocol::Xerv3, "libxerv3com",
                           [] { return MagCard_Read("C", nullptr); }, true};
#endif

const Card kCard{{t1, t2, t3, none}};

// One line of a trace, split after its time stamp.
struct TraceLine {
  long long ms;
  std::string body;  // "host>rdr  HEX  |TEXT|", "rdr>host  ...", or "-- note"
  bool is_frame() const { return body.rfind("--", 0) != 0; }
};

std::vector<TraceLine> parse_trace(const std::vector<std::string>& raw) {
  static const std::regex stamped(R"(^ *(\d+)\.(\d{3}) (.*)$)");
  std::vector<TraceLine> out;
  for (const std::string& line : raw) {
    std::smatch m;
    EXPECT_TRUE(std::regex_match(line, m, stamped)) << "no time stamp: " << line;
    if (m.empty()) continue;
    out.push_back({std::stoll(m[1]) * 1000 + std::stoll(m[2]), m[3]});
  }
  return out;
}

std::vector<std::string> read_lines(const std::string& path) {
  std::ifstream in(path);
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::vector<std::string> frame_bodies(const std::vector<TraceLine>& lines) {
  std::vector<std::string> out;
  for (const TraceLine& l : lines)
    if (l.is_frame()) out.push_back(l.body);
  return out;
}

// The bytes of every frame line in one direction, joined; checks that each line's text part is
// its hex part as text.
xsim::Bytes stream(const std::vector<std::string>& bodies, std::string_view direction) {
  static const std::regex frame(
      R"(^(host>rdr|rdr>host)  ([0-9A-F]{2}(?: [0-9A-F]{2})*)  \|(.*)\|$)");
  xsim::Bytes out;
  for (const std::string& body : bodies) {
    std::smatch m;
    EXPECT_TRUE(std::regex_match(body, m, frame)) << "malformed: " << body;
    if (m.empty() || m[1].str() != direction) continue;
    xsim::Bytes bytes;
    const std::string hex = m[2];
    for (std::size_t i = 0; i < hex.size(); i += 3)
      bytes.push_back(static_cast<std::uint8_t>(std::stoi(hex.substr(i, 2), nullptr, 16)));
    EXPECT_EQ(m[3].str(), devlink::printable_text(bytes)) << body;
    out.insert(out.end(), bytes.begin(), bytes.end());
  }
  return out;
}

class TraceTest : public xtest::ReaderTest<kLibrary.protocol> {
 protected:
  // Each test sets XERV_TRACE before it opens the port; the trace file starts afresh (the library
  // appends to it).
  void SetUp() override {
    ::unsetenv("XERV_TRACE");
    ::unlink(trace_path().c_str());
  }

  // Starts the reader with its own trace on and opens the port.
  void start_traced_reader() {
    xsim::Options o = xtest::reader_options(kLibrary.protocol);
    o.trace = true;
    o.log = [this](std::string_view line) {
      std::lock_guard lock(log_mu_);
      reader_log_.emplace_back(line);
    };
    start(std::move(o));
  }

  // The frame lines of the reader's trace (its notes left out).
  std::vector<std::string> reader_frames() {
    std::vector<std::string> raw;
    {
      std::lock_guard lock(log_mu_);
      for (const std::string& line : reader_log_)
        if (line.find(devlink::kHostToReader) != std::string::npos ||
            line.find(devlink::kReaderToHost) != std::string::npos)
          raw.push_back(line);
    }
    return frame_bodies(parse_trace(raw));
  }

  // A read answered by ACK, the card's data reported, then (where the reader has them) an
  // event; each report taken, and acknowledged to the reader.
  void command_and_reports() {
    ASSERT_EQ(kLibrary.read(), 0);
    reader->present_card(kCard);
    ASSERT_NE(wait_status(1) & 1, 0) << "no card data";
    if (kLibrary.has_events) {
      ASSERT_TRUE(reader->send_event(21));
      ASSERT_NE(wait_status(4) & 4, 0) << "no event";
      int32_t e[3] = {};
      ASSERT_EQ(GetEvent_Status(&e[0], &e[1], &e[2]), 0);
      EXPECT_EQ(e[0], 21);
    }
    ASSERT_TRUE(reader->wait_idle(3s));
    EXPECT_EQ(reader->acknowledged_reports(), kLibrary.has_events ? 2 : 1);
  }

  std::string trace_path() const { return xtest::com_dir() + "/wire.trace"; }

  std::mutex log_mu_;
  std::vector<std::string> reader_log_;
};

// --- The trace shows the line as the reader sees it ----------------------------------------

// Where the trace goes: a file, or standard error ("-"), which the test points at a file.
enum class Sink { File, StandardError };

void PrintTo(Sink sink, std::ostream* os) {
  *os << (sink == Sink::File ? "file" : "stderr");
}

class TraceSinkTest : public TraceTest, public ::testing::WithParamInterface<Sink> {};

TEST_P(TraceSinkTest, CommandAnswerAndReportsAppearInOrderWithTheirBytes) {
  const std::string path = trace_path();
  int saved_stderr = -1;
  if (GetParam() == Sink::File) {
    ::setenv("XERV_TRACE", path.c_str(), 1);
  } else {
    ::setenv("XERV_TRACE", "-", 1);
    saved_stderr = ::dup(STDERR_FILENO);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    ASSERT_GE(fd, 0);
    ::dup2(fd, STDERR_FILENO);
    ::close(fd);
  }
  start_traced_reader();
  command_and_reports();
  ASSERT_EQ(rs_PortClose(), 0);
  if (saved_stderr >= 0) {
    ::dup2(saved_stderr, STDERR_FILENO);
    ::close(saved_stderr);
  }

  const std::vector<TraceLine> lines = parse_trace(read_lines(path));
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines.front().body,
            "-- " + std::string(kLibrary.name) + " rs_PortOpen COM3 (" + reader->link_path() + ")");
  EXPECT_EQ(lines.back().body, "-- rs_PortClose");
  for (std::size_t i = 1; i < lines.size(); ++i)
    EXPECT_LE(lines[i - 1].ms, lines[i].ms) << "line " << i;

  // Command, ACK, card data and its ACK (then the event and its ACK), byte for byte as the reader
  // traced them at its end of the line.
  const std::vector<std::string> frames = frame_bodies(lines);
  EXPECT_EQ(frames, reader_frames());
  ASSERT_EQ(frames.size(), kLibrary.has_events ? 6u : 4u);
  EXPECT_EQ(frames[0], std::string(devlink::kHostToReader) + "  " +
                           devlink::hex_text(reader->received().front().raw) + "  |" +
                           devlink::printable_text(reader->received().front().raw) + "|");
  EXPECT_EQ(frames[1], "rdr>host  06  |<ACK>|");
  EXPECT_EQ(stream({frames[2]}, devlink::kReaderToHost), reader->sent()[1]);
  EXPECT_EQ(frames[3], "host>rdr  06  |<ACK>|");
}

INSTANTIATE_TEST_SUITE_P(BothSinks, TraceSinkTest,
                         ::testing::Values(Sink::File, Sink::StandardError), [](const auto& info) {
                           return info.param == Sink::File ? "File" : "StandardError";
                         });

// Reports arriving while commands are sent: the caller's thread and the library's receive side
// write lines at the same time. Every line is whole, and each direction's bytes are exactly those
// the reader traced.
TEST_F(TraceTest, LinesStayWholeWhileReportsCrossCommands) {
  ::setenv("XERV_TRACE", trace_path().c_str(), 1);
  start_traced_reader();
  ASSERT_EQ(kLibrary.read(), 0);
  reader->present_card(kCard);  // reported while the queries below go out
  std::thread events([&] {
    for (int i = 0; kLibrary.has_events && i < 5; ++i) {
      std::this_thread::sleep_for(120ms);
      reader->send_event(7);
    }
  });
  for (int i = 0; i < 10; ++i) {
    char version[17] = {};
    EXPECT_EQ(ProgVersion_Read(version), 0) << "query " << i;
  }
  events.join();
  ASSERT_TRUE(reader->wait_idle(10s));
  ASSERT_EQ(rs_PortClose(), 0);

  const std::vector<std::string> ours = frame_bodies(parse_trace(read_lines(trace_path())));
  const std::vector<std::string> theirs = reader_frames();
  ASSERT_FALSE(ours.empty());
  EXPECT_EQ(stream(ours, devlink::kHostToReader), stream(theirs, devlink::kHostToReader));
  EXPECT_EQ(stream(ours, devlink::kReaderToHost), stream(theirs, devlink::kReaderToHost));
}

// An answer that fails its block check stays with the waiting command, and the bytes that come
// after it join it until the command times out: none of them is missing from the trace.
TEST_F(TraceTest, BytesOfAFailedAnswerAndAfterItAreTraced) {
  ::setenv("XERV_TRACE", trace_path().c_str(), 1);
  start_traced_reader();
  reader->bad_bcc_next();
  std::thread late([&] {
    std::this_thread::sleep_for(300ms);
    reader->send_garbage({'x', 'y', 'z'});
  });
  char version[17] = {};
  EXPECT_EQ(ProgVersion_Read(version), 904);
  late.join();
  ASSERT_EQ(rs_PortClose(), 0);

  const std::vector<std::string> ours = frame_bodies(parse_trace(read_lines(trace_path())));
  const std::vector<std::string> theirs = reader_frames();
  ASSERT_EQ(theirs.size(), 3u);  // the query, its answer, the late bytes
  EXPECT_EQ(stream(ours, devlink::kHostToReader), stream(theirs, devlink::kHostToReader));
  EXPECT_EQ(stream(ours, devlink::kReaderToHost), stream(theirs, devlink::kReaderToHost));
  ASSERT_FALSE(ours.empty());
  EXPECT_EQ(ours.back(), "rdr>host  78 79 7A  |xyz|");
}

// --- Off, and a trace that cannot be written -----------------------------------------------

// The variable is read when the port is opened: set later, it changes nothing until the next
// open, and nothing is written meanwhile.
TEST_F(TraceTest, VariableIsReadWhenThePortOpens) {
  start_traced_reader();  // XERV_TRACE unset
  ::setenv("XERV_TRACE", trace_path().c_str(), 1);
  command_and_reports();
  struct stat st {};
  EXPECT_NE(::stat(trace_path().c_str(), &st), 0) << "written without XERV_TRACE at the open";

  ASSERT_EQ(rs_PortClose(), 0);
  ASSERT_EQ(rs_PortOpen(reader->port().c_str()), 0);
  ASSERT_EQ(kLibrary.read(), 0);
  ASSERT_EQ(rs_PortClose(), 0);
  const auto frames = frame_bodies(parse_trace(read_lines(trace_path())));
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[1], "rdr>host  06  |<ACK>|");
  EXPECT_EQ(::stat(trace_path().c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0600u) << "the trace holds card data: the user's only";
}

struct Unwritable {
  const char* name;
  std::string (*make)();  // makes the path XERV_TRACE names
};

void PrintTo(const Unwritable& u, std::ostream* os) {
  *os << u.name;
}

class UnwritableTraceTest : public TraceTest, public ::testing::WithParamInterface<Unwritable> {};

// Every command and report works as without the trace, and the open does not wait.
TEST_P(UnwritableTraceTest, CommandsWorkAsWithoutTrace) {
  const std::string path = GetParam().make();
  ::setenv("XERV_TRACE", path.c_str(), 1);
  start_traced_reader();
  command_and_reports();
  EXPECT_EQ(rs_PortClose(), 0);
  EXPECT_EQ(rs_PortOpen(reader->port().c_str()), 0);
  EXPECT_EQ(kLibrary.read(), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, UnwritableTraceTest,
    ::testing::Values(Unwritable{"MissingFolder",
                                 [] { return xtest::com_dir() + "/no-such-folder/wire.trace"; }},
                      Unwritable{"AFolder", [] { return xtest::com_dir(); }},
                      // Opened for writing without a reader, a FIFO would block the open for good.
                      Unwritable{"FifoWithoutReader",
                                 [] {
                                   const std::string p = xtest::com_dir() + "/wire.fifo";
                                   ::mkfifo(p.c_str(), 0600);
                                   return p;
                                 }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
