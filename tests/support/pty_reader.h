// A scripted reader for tests: the master side of a pseudo-terminal whose slave is linked as
// COM<n> in the test's port folder. The test reads the library's frames and writes answers.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "frame_format.h"

namespace xtest {

using Bytes = std::vector<std::uint8_t>;
using namespace std::chrono_literals;

Bytes bytes(std::string_view text);
// The frame a reader sends for `text` in the given format (default: STX text ETX BCC).
Bytes framed(std::string_view text, const devlink::FrameFormat& format = {});

class PtyReader {
 public:
  explicit PtyReader(unsigned com = 1);
  ~PtyReader();
  PtyReader(const PtyReader&) = delete;
  PtyReader& operator=(const PtyReader&) = delete;

  std::string port() const { return std::to_string(com_); }
  int master_fd() const { return master_; }

  // The bytes the library sent next: waits up to `wait` for the first, then takes what follows
  // until `quiet` passes without more. Empty when nothing came.
  Bytes read_frame(std::chrono::milliseconds wait = 2000ms,
                   std::chrono::milliseconds quiet = 30ms);
  // Everything that arrives within `window`.
  Bytes read_for(std::chrono::milliseconds window);
  void send(const Bytes& b);
  void send(std::string_view raw) { send(bytes(raw)); }

  // Answers every frame the library sends with what `answer` returns (nothing for an empty
  // result), on a thread of its own, until stop_answering() or destruction.
  void answer_with(std::function<Bytes(const Bytes&)> answer);
  void stop_answering();
  // Frames seen since the last answer_with.
  std::vector<Bytes> frames_seen();

  // Closes the master side: the library sees a hang-up.
  void hang_up();
  // A new pseudo-terminal behind the same COM link (the device is back).
  void reconnect();

 private:
  void open_master();
  unsigned com_;
  int master_ = -1;
  std::string link_;
  std::thread answerer_;
  bool answering_ = false;
  int stop_pipe_[2] = {-1, -1};
  std::mutex seen_mu_;
  std::vector<Bytes> seen_;
};

}  // namespace xtest
