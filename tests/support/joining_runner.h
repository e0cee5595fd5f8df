#pragma once
// Each task on a thread of its own, all joined before the test ends. A GUI test pumps events until
// Idle() before it joins, so joining never waits on a read the GUI thread still has to answer.

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

#include "platform/task_runner.h"

namespace hosting::testing_support {

class JoiningRunner final : public platform::TaskRunner {
 public:
  ~JoiningRunner() override { JoinAll(); }
  void RunInBackground(std::function<void()> task) override {
    ++running_;
    const std::lock_guard lock(mutex_);
    threads_.emplace_back([this, task = std::move(task)] {
      task();
      --running_;
    });
  }
  bool Idle() const { return running_.load() == 0; }
  // Joins every thread started so far, including those started by the joined tasks.
  void JoinAll() {
    for (std::vector<std::thread> started;; started.clear()) {
      {
        const std::lock_guard lock(mutex_);
        started.swap(threads_);
      }
      if (started.empty())
        return;
      for (std::thread& thread : started)
        thread.join();
    }
  }

 private:
  std::mutex mutex_;
  std::vector<std::thread> threads_;
  std::atomic<int> running_{0};
};

}  // namespace hosting::testing_support
