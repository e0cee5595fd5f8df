#include "platform/offline_watch_tick.h"

#include "platform/hosted_accounts_flows.h"

namespace hosting::platform {
namespace {

constexpr std::string_view kOnline = "在线";

std::string OfflineText(const std::vector<std::string>& row) {
  return "账号 " + row[0] + "（" + row[2] + "）已离线，请重新获取二维码托管";
}

}  // namespace

void OfflineWatchTick::Run(const FlowContext& context, MainView& view) {
  const auto tick = context.hostedList.TryBeginTick();
  if (!tick) {
    return;
  }
  const auto rows = FetchHostedAccountRows(context);
  if (rows &&
      context.hostedList.WriteIfUndisturbed(*tick, [&] { view.ReplaceHostedAccounts(*rows); })) {
    std::map<std::string, bool> online;
    for (const auto& row : *rows) {
      const auto before = lastOnline_.find(row[0]);
      if (row[1] != kOnline && before != lastOnline_.end() && before->second) {
        view.AnnounceOffline(OfflineText(row));
      }
      online[row[0]] = row[1] == kOnline;
    }
    lastOnline_ = std::move(online);
  }
  LoadHomeCounters(context, view);
}

}  // namespace hosting::platform
