#include "platform/qr_countdown_slot.h"

namespace hosting::platform {

std::stop_source QrCountdownSlot::Start() {
  const std::lock_guard lock(mutex_);
  current_.request_stop();
  current_ = std::stop_source();
  covered_ = false;
  return current_;
}

void QrCountdownSlot::Stop() {
  const std::lock_guard lock(mutex_);
  current_.request_stop();
}

std::uint64_t QrCountdownSlot::BeginRequest() {
  const std::lock_guard lock(mutex_);
  return ++requests_;
}

bool QrCountdownSlot::StopIfLatest(std::uint64_t request) {
  const std::lock_guard lock(mutex_);
  if (request != requests_) {
    return false;
  }
  current_.request_stop();
  return true;
}

void QrCountdownSlot::CoverCode() {
  const std::lock_guard lock(mutex_);
  covered_ = true;
}

bool QrCountdownSlot::WriteEnd(const std::stop_source& countdown,
                               const std::function<void(bool shown)>& write) {
  const std::lock_guard lock(mutex_);
  if (countdown.stop_requested()) {
    return false;
  }
  write(!covered_);
  return true;
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
