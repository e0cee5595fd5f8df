#include "platform/hosted_accounts_watch.h"

namespace hosting::platform {

HostedAccountsWatch::HostedAccountsWatch(const FlowContext& context, std::shared_ptr<MainView> view)
    : context_(context),
      view_(std::move(view)),
      thread_([this](const std::stop_token& stop) { Run(stop); }),
      onShutdown_(context.shutdown, std::function<void()>([this] { thread_.request_stop(); })) {}

HostedAccountsWatch::~HostedAccountsWatch() {
  thread_.request_stop();
  thread_.join();
}

void HostedAccountsWatch::Run(const std::stop_token& stop) {
  while (Pause(context_.timings.watchInterval, stop)) {
    tick_.Run(context_, *view_);
  }
}

}  // namespace hosting::platform
