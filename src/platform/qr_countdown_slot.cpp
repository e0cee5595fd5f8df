#include "platform/qr_countdown_slot.h"

namespace hosting::platform {

std::stop_source QrCountdownSlot::Start() {
  const std::lock_guard lock(mutex_);
  current_.request_stop();
  current_ = std::stop_source();
  return current_;
}

void QrCountdownSlot::Stop() {
  const std::lock_guard lock(mutex_);
  current_.request_stop();
}

bool QrCountdownSlot::Write(const std::stop_source& countdown, const std::function<void()>& write) {
  const std::lock_guard lock(mutex_);
  if (countdown.stop_requested()) {
    return false;
  }
  write();
  return true;
}

}  // namespace hosting::platform
