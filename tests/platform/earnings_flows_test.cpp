#include "platform/earnings_flows.h"

#include <gtest/gtest.h>

#include <set>

#include "flow_test_bed.h"
#include "platform/captcha_flows.h"

namespace hosting::platform::testing {
namespace {

constexpr std::int64_t kNewYear2020Ms = 1577836800000;

// Milliseconds are shown in the computer's zone (UTC+9), seconds in UTC+8.
TEST(EarningsTest, EarningsListShowsKindAmountAndTimeOfEachSettlement) {
  FlowTestBed bed;
  const std::int64_t member = bed.LogInAs("earner");
  for (const auto& [typeId, cents, inSeconds] : {std::tuple{4, 1250, false}, {2, 300, true}})
    bed.platform().ledger.AddSettlement({.memberId = member,
                                         .typeId = typeId,
                                         .cents = cents,
                                         .atMs = kNewYear2020Ms,
                                         .stampInSeconds = inSeconds});
  bed.mainView->AppendRow(MainList::kEarnings, {"stale"});
  LoadEarnings(bed.context, *bed.mainView);
  const auto rows = bed.Rows(MainList::kEarnings);
  ASSERT_EQ(rows.size(), 2U);
  std::set<std::string> shown;
  for (const auto& row : rows)
    shown.insert(row.at(1) + "|" + row.at(2) + "|" + row.at(3));
  EXPECT_EQ(shown,
            (std::set<std::string>{"任务|12.50|2020-1-1 09:00:00", "2|3.00|2020-1-01 08:00:00"}));
}

// Each answer to a withdrawal has its message, and each attempt brings a fresh captcha. The
// records, the balances and their figures are part of the member's journey.
TEST(EarningsTest, EveryKnownWithdrawalAnswerHasItsMessage) {
  FlowTestBed bed;
  const std::int64_t member = bed.LogInAs("earner");
  const auto attempt = [&bed](const std::string& captcha) {
    RefreshWithdrawCaptcha(bed.context, *bed.mainView);
    bed.rec.Write("提现验证码", captcha);
    Withdraw(bed.context, *bed.mainView);
    return bed.Messages("MainWindow").back().text;
  };
  EXPECT_EQ(attempt("0000"), "验证码错误！");
  EXPECT_EQ(attempt(kCaptcha), "请先绑定支付宝!");
  bed.platform().members.BindPayout(member, "钱七", "qq@example.com");
  EXPECT_EQ(attempt(kCaptcha), "可提现金额不足十元，不可以提现");
  for (const char* shown : {"提现成功!", "提现成功!", "提现成功!", "今天累计提现超过3次!"}) {
    bed.platform().ledger.AddSettlement(
        {.memberId = member, .typeId = 4, .cents = 2000, .atMs = bed.platform().Now()});
    EXPECT_EQ(attempt(kCaptcha), shown);
  }
  LoadWithdrawCaptcha(bed.context, *bed.mainView);
  EXPECT_EQ(bed.rec.CountOf("图片框3 picture"), 8);
}

}  // namespace
}  // namespace hosting::platform::testing
