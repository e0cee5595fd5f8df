#include "platform/earnings_flows.h"

#include <gtest/gtest.h>

#include "flow_test_bed.h"
#include "platform/captcha_flows.h"

namespace hosting::platform::testing {
namespace {

constexpr std::int64_t kNewYear2020Ms = 1577836800000;

std::vector<std::string> Joined(const testing_support::Rows& rows) {
  std::vector<std::string> joined(rows.size());
  for (std::size_t i = 0; i < rows.size(); ++i)
    for (std::size_t column = 1; column < rows[i].size(); ++column)
      joined[i] += rows[i][column] + "|";
  return joined;
}

class EarningsTest : public ::testing::Test {
 protected:
  void SetUp() override { member = bed.LogInAs("earner"); }
  void Earn(std::int64_t cents, int typeId, std::int64_t atMs, bool inSeconds = false) {
    bed.platform().ledger.AddSettlement({.memberId = member,
                                         .typeId = typeId,
                                         .cents = cents,
                                         .atMs = atMs,
                                         .stampInSeconds = inSeconds});
  }
  FlowTestBed bed;
  std::int64_t member = 0;
};

// The balances and the payout account are cut from the page: the member's journey and the hostile
// matrix show them.
TEST_F(EarningsTest, RecordsAreNumberedAndShowUnknownCodesAsTheyCame) {
  for (const auto& [status, payStatus] : {std::pair{1, 3}, {5, 0}, {2, 7}})
    bed.platform().ledger.AddWithdrawal({.memberId = member,
                                         .outBizNo = "TX" + std::to_string(status),
                                         .cents = 1000,
                                         .status = status,
                                         .payStatus = payStatus,
                                         .addMs = kNewYear2020Ms,
                                         .upMs = kNewYear2020Ms + 3600 * 1000,
                                         .aliAccount = {},
                                         .realname = {}});
  LoadWithdrawals(bed.context, *bed.mainView);
  auto rows = bed.Rows(MainList::kWithdrawals);
  ASSERT_EQ(rows.size(), 3U);
  for (std::size_t i = 0; i < rows.size(); ++i)
    EXPECT_EQ(rows[i][0], std::to_string(i + 1));  // numbered in order
  std::ranges::sort(rows, {}, [](const auto& row) { return row[1]; });
  const std::string kTimes = "2020-1-1 09:00:00|2020-1-1 10:00:00|";
  EXPECT_EQ(Joined(rows), (std::vector<std::string>{"TX1|10.00|申请通过|打款中|" + kTimes,
                                                    "TX2|10.00|申请未通过|7|" + kTimes,
                                                    "TX5|10.00|5|未打款|" + kTimes}));
}

// Milliseconds are shown in the computer's zone (UTC+9), seconds in UTC+8.
TEST_F(EarningsTest, EarningsListShowsKindAmountAndTimeOfEachSettlement) {
  Earn(1250, 4, kNewYear2020Ms);
  Earn(300, 2, kNewYear2020Ms, true);  // this one reported in seconds
  bed.mainView->AppendRow(MainList::kEarnings, {"stale"});
  LoadEarnings(bed.context, *bed.mainView);
  auto rows = bed.Rows(MainList::kEarnings);
  std::ranges::sort(rows, std::greater{}, [](const auto& row) { return row[1]; });
  EXPECT_EQ(Joined(rows), (std::vector<std::string>{"任务|12.50|2020-1-1 09:00:00|",
                                                    "2|3.00|2020-1-01 08:00:00|"}));
}

// An accepted withdrawal is part of the member's journey.
TEST_F(EarningsTest, EachRefusedWithdrawalHasItsMessage) {
  LoadWithdrawCaptcha(bed.context, *bed.mainView);
  EXPECT_TRUE(bed.rec.Read("图片框3").starts_with("BM"));
  const auto attempt = [this](const std::string& captcha) {
    RefreshWithdrawCaptcha(bed.context, *bed.mainView);
    bed.rec.Write("提现验证码", captcha);
    Withdraw(bed.context, *bed.mainView);
    return bed.Messages("MainWindow").back().text;
  };
  EXPECT_EQ(attempt("0000"), "验证码错误！");
  EXPECT_EQ(attempt(kCaptcha), "请先绑定支付宝!");
  bed.platform().members.BindPayout(member, "钱七", "qq@example.com");
  EXPECT_EQ(attempt(kCaptcha), "可提现金额不足十元，不可以提现");
}

}  // namespace
}  // namespace hosting::platform::testing
