#include "support/joining_runner.h"

namespace hosting::testing_support {

void JoiningRunner::RunInBackground(std::function<void()> task) {
  ++running_;
  const std::lock_guard lock(mutex_);
  threads_.emplace_back([this, task = std::move(task)] {
    task();
    --running_;
  });
}

void JoiningRunner::JoinAll() {
  for (;;) {
    std::vector<std::thread> started;
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

}  // namespace hosting::testing_support
