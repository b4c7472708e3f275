#include "call_worker.h"

#include <utility>

namespace xtool {

CallWorker::CallWorker() : thread_([this] { loop(); }) {}

CallWorker::~CallWorker() {
  {
    std::unique_lock lock(mu_);
    cv_.wait(lock, [this] { return !busy_; });
    stop_ = true;
  }
  cv_.notify_all();
  thread_.join();
}

bool CallWorker::post(std::function<void()> job, std::function<void()> done) {
  {
    std::lock_guard lock(mu_);
    if (busy_ || stop_) return false;
    job_ = std::move(job);
    done_ = std::move(done);
    busy_ = true;
  }
  cv_.notify_all();
  return true;
}

bool CallWorker::busy() const {
  std::lock_guard lock(mu_);
  return busy_;
}

void CallWorker::wait_idle() const {
  std::unique_lock lock(mu_);
  cv_.wait(lock, [this] { return !busy_; });
}

void CallWorker::loop() {
  for (;;) {
    std::function<void()> job, done;
    {
      std::unique_lock lock(mu_);
      cv_.wait(lock, [this] { return stop_ || (busy_ && job_); });
      if (stop_) return;
      job = std::move(job_);
      done = std::move(done_);
      job_ = nullptr;
      done_ = nullptr;
    }
    job();
    {
      std::lock_guard lock(mu_);
      busy_ = false;
    }
    cv_.notify_all();
    // After busy_ is cleared, so that whoever `done` wakes finds the worker free for the next call.
    if (done) done();
  }
}

}  // namespace xtool
