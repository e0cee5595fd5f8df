#include "app/background_runner.h"

#include <thread>

namespace hosting::app {

void DetachedRunner::RunInBackground(std::function<void()> task) {
  std::thread(std::move(task)).detach();
}

}  // namespace hosting::app
