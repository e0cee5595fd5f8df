#pragma once
// The hosting page's list of hosted accounts (托管状态) and its two counters.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/flow_context.h"
#include "platform/main_view.h"

namespace hosting::platform {

using HostedRows = std::vector<std::vector<std::string>>;

// The platform's first page of at most 50 hosted accounts as rows of 托管状态: id, "在线"/"离线",
// nickname, avatar URL; nullopt when the answer is not a list.
std::optional<HostedRows> FetchHostedAccountRows(const FlowContext& context);
// Empties 托管状态 and fills it from the platform's first page of at most 50 accounts: id,
// "在线"/"离线", nickname, avatar URL. An answer that is not a list leaves it empty; rows past
// the 50 asked for are not shown.
void LoadHostedAccounts(const FlowContext& context, MainView& view);
// 透明标签3 and 透明标签19 from the platform's home page; a page without the counters leaves them.
void LoadHomeCounters(const FlowContext& context, MainView& view);
// 按钮8 "刷新页面": empties the list, then starts the two loads above on workers of their own. The
// hosted-accounts watch stays off the list until both have finished.
void RefreshHostingPage(const FlowContext& context, const std::shared_ptr<MainView>& view);
// 按钮7 "清除掉线微信": asks the platform to drop offline accounts; nothing on screen changes.
void ClearOfflineAccounts(const FlowContext& context);
// Another row of 托管状态 became current: its avatar, scaled to fill 图片框_二维码, which ends
// the expired state of a code shown there. Only http and
// https addresses are fetched; anything else (or a failed download) empties the picture.
void ShowSelectedAvatar(const FlowContext& context, MainView& view);

}  // namespace hosting::platform
