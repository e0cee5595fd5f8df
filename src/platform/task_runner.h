#pragma once
// How flows start work on another thread (RunInBackground). The program's runner starts a detached
// std::thread per task; tests use one that joins its threads, so nothing outlives a test.

#include <functional>

namespace hosting::platform {

class TaskRunner {
 public:
  virtual ~TaskRunner() = default;
  // Starts `task` on a new thread and returns at once.
  virtual void RunInBackground(std::function<void()> task) = 0;
};

}  // namespace hosting::platform
