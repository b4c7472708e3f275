// The worker thread that runs the tool's device calls: one at a time, in order, and nothing
// shared without a lock (this suite also runs under ThreadSanitizer).
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>
#include <vector>

#include "call_worker.h"

namespace {

using namespace std::chrono_literals;

TEST(CallWorker, RunsEachCallOnItsThreadAndRefusesASecondWhileBusy) {
  xtool::CallWorker worker;
  std::mutex mu;
  std::condition_variable cv;
  bool release = false, finished = false;
  std::thread::id ran_on;
  ASSERT_TRUE(worker.post(
      [&] {
        std::unique_lock lock(mu);
        ran_on = std::this_thread::get_id();
        cv.wait(lock, [&] { return release; });
      },
      [&] {
        std::lock_guard lock(mu);
        finished = true;
        cv.notify_all();
      }));
  EXPECT_TRUE(worker.busy());
  EXPECT_FALSE(worker.post([] {}, [] {}));
  {
    std::lock_guard lock(mu);
    release = true;
  }
  cv.notify_all();
  {
    std::unique_lock lock(mu);
    ASSERT_TRUE(cv.wait_for(lock, 5s, [&] { return finished; }));
    EXPECT_NE(ran_on, std::this_thread::get_id());
  }
  worker.wait_idle();
  EXPECT_FALSE(worker.busy());
}

TEST(CallWorker, CallsOneAfterAnotherKeepTheirOrderAndResults) {
  xtool::CallWorker worker;
  std::vector<int> order;
  for (int i = 0; i < 200; ++i) {
    std::atomic<bool> done{false};
    ASSERT_TRUE(worker.post([&order, i] { order.push_back(i); }, [&done] { done = true; }));
    while (!done) std::this_thread::yield();
    worker.wait_idle();
  }
  ASSERT_EQ(order.size(), 200u);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(order[i], i);
}

TEST(CallWorker, DestructionWaitsForTheCallInProgress) {
  std::atomic<bool> ended{false};
  {
    xtool::CallWorker worker;
    worker.post(
        [&] {
          std::this_thread::sleep_for(50ms);
          ended = true;
        },
        nullptr);
  }
  EXPECT_TRUE(ended);
}

}  // namespace
