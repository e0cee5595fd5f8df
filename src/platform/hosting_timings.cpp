#include "platform/hosting_timings.h"

#include <condition_variable>
#include <mutex>

namespace hosting::platform {

bool Pause(std::chrono::milliseconds duration, const std::stop_token& stop) {
  std::mutex mutex;
  std::condition_variable_any wake;
  std::unique_lock lock(mutex);
  wake.wait_for(lock, stop, duration, [] { return false; });
  return !stop.stop_requested();
}

}  // namespace hosting::platform
