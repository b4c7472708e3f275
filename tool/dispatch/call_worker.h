// One thread that runs the tool's device calls, one at a time, so that the window's thread can
// keep serving its events while a call waits for the reader. The libraries serve one command at a
// time from one caller thread; every call of the tool therefore goes through this one thread.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace xtool {

class CallWorker {
 public:
  CallWorker();
  ~CallWorker();  // waits for the call in progress, then ends the thread
  CallWorker(const CallWorker&) = delete;
  CallWorker& operator=(const CallWorker&) = delete;

  // Starts `job` on the worker thread and returns at once; `done` runs on the worker thread right
  // after the job. False, and nothing started, while another job is still running.
  bool post(std::function<void()> job, std::function<void()> done);
  bool busy() const;
  // Blocks until no job runs.
  void wait_idle() const;

 private:
  void loop();

  mutable std::mutex mu_;
  mutable std::condition_variable cv_;
  std::function<void()> job_;
  std::function<void()> done_;
  bool busy_ = false;
  bool stop_ = false;
  std::thread thread_;
};

}  // namespace xtool
