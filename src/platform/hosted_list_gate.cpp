#include "platform/hosted_list_gate.h"

namespace hosting::platform {

std::shared_ptr<void> HostedListGate::BeginMemberRefresh() {
  const std::lock_guard lock(mutex_);
  ++memberRefreshes_;
  ++memberRefreshesBegun_;
  return {nullptr, [this](void*) {
            const std::lock_guard done(mutex_);
            --memberRefreshes_;
          }};
}

std::optional<std::uint64_t> HostedListGate::TryBeginTick() {
  const std::lock_guard lock(mutex_);
  if (memberRefreshes_ > 0) {
    return std::nullopt;
  }
  return memberRefreshesBegun_;
}

bool HostedListGate::WriteIfUndisturbed(std::uint64_t tick, const std::function<void()>& write) {
  const std::lock_guard lock(mutex_);
  if (memberRefreshesBegun_ != tick) {
    return false;
  }
  write();
  return true;
}

}  // namespace hosting::platform
