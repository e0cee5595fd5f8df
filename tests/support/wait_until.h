#pragma once
// The one place where tests and benchmarks poll: for a state that nothing announces (a server
// library's "running" flag). Everything another thread can signal is waited on instead, with a
// condition variable, a latch, a future or QTest::qWaitFor.

#include <chrono>
#include <thread>

namespace hosting::testing_support {

// Polls `condition` until it holds or `limit` has passed; returns whether it held.
template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) {
      return condition();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

}  // namespace hosting::testing_support
