#pragma once
// The one place where tests and benchmarks poll: for a state nothing announces (a server library's
// "running" flag). Whatever another thread can signal is waited on instead.

#include <chrono>
#include <thread>

namespace hosting::testing_support {

template <typename Condition>
bool WaitUntil(Condition condition, std::chrono::milliseconds limit = std::chrono::seconds(10)) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!condition() && std::chrono::steady_clock::now() < deadline)
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  return condition();
}

}  // namespace hosting::testing_support
