#pragma once
// Who may write 托管状态. A refresh the member asked for always may; a watch tick may start only
// while none runs, and may write its rows only if none began meanwhile (the member's refresh
// empties the list and appends row by row: the tick's rows would mix with them).

#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

namespace hosting::platform {

class HostedListGate {
 public:
  // Marks a member's refresh as running until the last copy of the result is gone.
  std::shared_ptr<void> BeginMemberRefresh();
  // The mark a tick carries to WriteIfUndisturbed; nullopt while a member's refresh runs.
  std::optional<std::uint64_t> TryBeginTick();
  // Runs `write` unless a member's refresh began after `tick` was handed out; false then.
  bool WriteIfUndisturbed(std::uint64_t tick, const std::function<void()>& write);

 private:
  std::mutex mutex_;
  int memberRefreshes_ = 0;
  std::uint64_t memberRefreshesBegun_ = 0;
};

}  // namespace hosting::platform
