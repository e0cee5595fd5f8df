#pragma once
// RunInBackground: each task on a new std::thread, detached at once; nothing waits for it. The
// process ends without joining (closing MainWindow ends it at once).

#include "platform/task_runner.h"

namespace hosting::app {

class DetachedRunner final : public platform::TaskRunner {
 public:
  void RunInBackground(std::function<void()> task) override;
};

}  // namespace hosting::app
