#pragma once
// The pace of the hosting flow. The defaults are the member-facing timings; tests inject short
// ones. Workers pause with Pause, which a stop request (release, process end) cuts short.

#include <chrono>
#include <stop_token>

namespace hosting::platform {

// How often the hosted-accounts watch looks at the list while MainWindow is open.
inline constexpr std::chrono::seconds kHostedAccountsWatchInterval{60};

struct HostingTimings {
  int retryAttempts = 20;                         // re-requests while no usable answer
  std::chrono::milliseconds retryWait{6000};      // before each re-request
  std::chrono::milliseconds retryGap{1000};       // after each attempt
  std::chrono::milliseconds pollInterval{1000};   // between two polls of the login state
  std::chrono::milliseconds countdownTick{1000};  // one step of the countdown caption
  int countdownSteps = 100;                       // life of a code: steps x tick
  std::chrono::milliseconds pollGrace{std::chrono::seconds(30)};  // polling goes on after expiry
  std::chrono::milliseconds watchInterval{kHostedAccountsWatchInterval};

  std::chrono::milliseconds CodeLife() const { return countdownTick * countdownSteps; }
};

// Waits `duration`, or less once `stop` is requested. True when the full time has passed.
bool Pause(std::chrono::milliseconds duration, const std::stop_token& stop);

}  // namespace hosting::platform
