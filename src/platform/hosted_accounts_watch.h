#pragma once
// While MainWindow is open, a thread of its own runs an OfflineWatchTick every
// timings.watchInterval. It stops on its own flag (Stop, the destructor, or shutdown), at once
// while it waits and after the look in progress otherwise. The destructor also waits for the thread
// to end; a look never waits for the GUI thread, so the GUI thread may destroy the watch.

#include <memory>
#include <stop_token>
#include <thread>

#include "platform/flow_context.h"
#include "platform/main_view.h"
#include "platform/offline_watch_tick.h"

namespace hosting::platform {

class HostedAccountsWatch {
 public:
  HostedAccountsWatch(const FlowContext& context, std::shared_ptr<MainView> view);
  ~HostedAccountsWatch();
  // Asks the thread to stop without waiting for it (the window closed: the program ends anyway).
  void Stop() { thread_.request_stop(); }
  HostedAccountsWatch(const HostedAccountsWatch&) = delete;
  HostedAccountsWatch& operator=(const HostedAccountsWatch&) = delete;

 private:
  void Run(const std::stop_token& stop);

  const FlowContext& context_;
  const std::shared_ptr<MainView> view_;
  OfflineWatchTick tick_;
  std::jthread thread_;
  std::stop_callback<std::function<void()>> onShutdown_;
};

}  // namespace hosting::platform
