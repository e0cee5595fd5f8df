#pragma once
// RunInBackground for tests: each task on a thread of its own, all joined before the test ends.
// WaitIdle keeps the GUI thread serving the workers (their reads and message boxes go through it)
// until every task has finished, so joining never deadlocks.

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/task_runner.h"

namespace hosting::testing_support {

class JoiningRunner final : public platform::TaskRunner {
 public:
  JoiningRunner() = default;
  JoiningRunner(const JoiningRunner&) = delete;
  JoiningRunner& operator=(const JoiningRunner&) = delete;
  ~JoiningRunner() override;

  void RunInBackground(std::function<void()> task) override;
  // True once every task started so far (and those they started) has finished; false after
  // `limit`, with the stragglers still running.
  bool WaitIdle(std::chrono::milliseconds limit);
  int Running() const { return running_.load(); }

 private:
  void JoinAll();

  std::mutex mutex_;
  std::vector<std::thread> threads_;
  std::atomic<int> running_{0};
};

}  // namespace hosting::testing_support
