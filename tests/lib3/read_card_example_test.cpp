// The read_card example program, run as a host would run it, against a scripted reader.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>
#include <vector>

#include "pty_reader.h"

namespace xtest {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The example is built next to the tests: build/examples/read_card beside build/tests/.
fs::path example_path() {
  return fs::read_symlink("/proc/self/exe").parent_path().parent_path() / "examples" / "read_card";
}

struct ProgramRun {
  int status = -1;     // exit status, -1 when it did not exit normally
  std::string output;  // standard output and standard error together
};

ProgramRun run_example(const std::vector<std::string>& args) {
  const std::string program = example_path().string();
  std::vector<char*> argv{const_cast<char*>(program.c_str())};
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  int out[2];
  if (::pipe(out) != 0) return {};
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(out[1], 1);
    ::dup2(out[1], 2);
    ::close(out[0]);
    ::execv(program.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ProgramRun run;
  char buf[256];
  ssize_t n;
  while ((n = ::read(out[0], buf, sizeof buf)) > 0)
    run.output.append(buf, static_cast<std::size_t>(n));
  ::close(out[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  if (WIFEXITED(status)) run.status = WEXITSTATUS(status);
  return run;
}

class ReadCardExample : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(fs::exists(example_path()))
        << example_path() << " is missing: build the read_card target";
  }
};

TEST_F(ReadCardExample, ReadsACardAndPrintsItsTracks) {
  PtyReader reader{6};
  std::atomic<bool> read_sent{false};
  reader.answer_with([&](const Bytes& frame) {
    if (frame == framed("ST")) return framed("ST1234");
    if (frame == framed("CRC")) {
      read_sent = true;
      return Bytes{0x06};
    }
    return Bytes{};  // the program's acknowledgement of the card report
  });
  std::thread card([&] {
    for (int i = 0; i < 500 && !read_sent; ++i) std::this_thread::sleep_for(10ms);
    std::this_thread::sleep_for(400ms);  // the read command has taken its ACK
    reader.send(
        framed("CR00ABC\x1F"
               "0123\x1F"
               "0XYZ"));
  });
  const ProgramRun run = run_example({"6", "101", "5"});
  card.join();
  reader.stop_answering();
  EXPECT_EQ(run.status, 0) << run.output;
  EXPECT_NE(run.output.find("Opened COM6."), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("Connection model 101 set."), std::string::npos) << run.output;
  EXPECT_NE(run.output.find("Track 1: result 0, length 3, data \"ABC\"\n"
                            "Track 2: result 0, length 3, data \"123\"\n"
                            "Track 3: result 0, length 3, data \"XYZ\"\n"
                            "Track 4: not in the report\n"),
            std::string::npos)
      << run.output;
  EXPECT_NE(run.output.find("Port closed."), std::string::npos) << run.output;
  const auto frames = reader.frames_seen();
  ASSERT_GE(frames.size(), 3u);
  EXPECT_EQ(frames[2], Bytes{0x06}) << "the card report is acknowledged";
}

TEST_F(ReadCardExample, ExplainsFailures) {
  PtyReader reader{7};  // sets up the port folder; COM9 is not in it
  const ProgramRun missing = run_example({"9"});
  EXPECT_EQ(missing.status, 1);
  EXPECT_NE(missing.output.find("cannot open COM9: result 9002 (no such port)"), std::string::npos)
      << missing.output;

  const ProgramRun refused = [&] {
    reader.answer_with([](const Bytes&) { return framed("NG021"); });
    return run_example({"7"});
  }();
  reader.stop_answering();
  EXPECT_EQ(refused.status, 1);
  EXPECT_NE(refused.output.find("Connection_Model_Setup failed: result 21"), std::string::npos)
      << refused.output;
  EXPECT_NE(refused.output.find("Port closed."), std::string::npos) << refused.output;

  const ProgramRun usage = run_example({"7", "abc"});
  EXPECT_EQ(usage.status, 2);
  EXPECT_NE(usage.output.find("usage: read_card"), std::string::npos) << usage.output;
}

}  // namespace
}  // namespace xtest
