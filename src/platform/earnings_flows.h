#pragma once
// Earnings, withdrawals, balances and the payout account.

#include "platform/bind_alipay_view.h"
#include "platform/flow_context.h"
#include "platform/main_view.h"

namespace hosting::platform {

// 按钮1 "查询业绩": 微信业绩 from the platform's settlements.
void LoadEarnings(const FlowContext& context, MainView& view);
// 按钮4 "查询": 提现操作 from the withdrawal records, the three balances from the withdrawal page
// and the payout account from the member's page (both pages fetched without SessionCookie).
void LoadWithdrawals(const FlowContext& context, MainView& view);
// 按钮3 "提现": sends the captcha of 编辑框1 and shows the platform's known answers.
void Withdraw(const FlowContext& context, MainView& view);
// 按钮1 "确认绑定" of BindAlipayDialog; the dialog closes after the answer has been shown.
void BindPayoutAccount(const FlowContext& context, BindAlipayView& view);

}  // namespace hosting::platform
