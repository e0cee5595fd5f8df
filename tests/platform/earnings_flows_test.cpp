// Balances, payout account, binding and withdrawals against the sandbox.
#include "platform/earnings_flows.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "flow_test_bed.h"
#include "platform/captcha_flows.h"

namespace hosting::platform::testing {
namespace {

class EarningsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    bed.LogInAs("earner");
    member = bed.MemberId("earner");
  }
  void Earn(std::int64_t cents, int typeId, std::int64_t atMs, bool inSeconds = false) {
    sandbox::Settlement settlement;
    settlement.memberId = member;
    settlement.typeId = typeId;
    settlement.cents = cents;
    settlement.atMs = atMs;
    settlement.stampInSeconds = inSeconds;
    bed.platform().ledger.AddSettlement(settlement);
  }
  std::string Caption(MainCaption caption) const { return bed.mainView->Caption(caption); }
  FlowTestBed bed;
  std::int64_t member = 0;
};

TEST_F(EarningsTest, PayoutAccountIsShownOnlyOnceBound) {
  LoadWithdrawals(bed.context, *bed.mainView);  // still showing the bind button
  EXPECT_EQ(Caption(MainCaption::kPayoutAccount), "<unset>");
  EXPECT_EQ(Caption(MainCaption::kPayoutName), "<unset>");
  EXPECT_EQ(Caption(MainCaption::kWithdrawable), "0.00");

  RecordingBindView dialog(bed.log, "张 三-x.", "zs@example.com");
  BindPayoutAccount(bed.context, dialog);
  EXPECT_EQ(dialog.Messages().back(), PlainMessage("绑定成功!"));
  EXPECT_EQ(bed.log.Events().back(), "dialog closed");
  EXPECT_EQ(bed.platform().members.Find(member)->realname, "张 三-x.");

  LoadWithdrawals(bed.context, *bed.mainView);
  EXPECT_EQ(Caption(MainCaption::kPayoutAccount), "zs@example.com");
  EXPECT_EQ(Caption(MainCaption::kPayoutName), "张 三-x.");
}

TEST_F(EarningsTest, RefusedBindingShowsTheWholeAnswerAndClosesTheDialog) {
  ASSERT_TRUE(bed.platform().members.BindPayout(member, "李四", "ls@example.com"));
  RecordingBindView dialog(bed.log, "王五", "ww@example.com");
  BindPayoutAccount(bed.context, dialog);
  const std::string shown = dialog.Messages().back().text;
  EXPECT_TRUE(shown.starts_with("{")) << shown;
  EXPECT_NE(shown.find("已绑定支付宝，不能重复绑定"), std::string::npos);
  EXPECT_EQ(bed.log.Events().back(), "dialog closed");
  EXPECT_EQ(bed.platform().members.Find(member)->realname, "李四");
}

TEST_F(EarningsTest, BalancesComeFromTheWithdrawalPage) {
  const std::int64_t now = bed.platform().Now();
  Earn(1250, 4, now);
  Earn(300, 2, now - 3LL * 24 * 3600 * 1000);
  LoadWithdrawals(bed.context, *bed.mainView);
  EXPECT_EQ(Caption(MainCaption::kWithdrawnTotal), "0.00");
  EXPECT_EQ(Caption(MainCaption::kWithdrawable), "15.50");
  EXPECT_EQ(Caption(MainCaption::kEarnedToday), "12.50");
}

TEST_F(EarningsTest, WithdrawalCaptchaBelongsToTheSession) {
  LoadWithdrawCaptcha(bed.context, *bed.mainView);
  const std::string first = bed.mainView->WithdrawCaptchaPicture();
  EXPECT_TRUE(first.starts_with("BM") || first.starts_with("\x89PNG"));
  RefreshWithdrawCaptcha(bed.context, *bed.mainView);
  EXPECT_EQ(bed.log.CountOf("图片框3 picture"), 2);
}

TEST_F(EarningsTest, EarningsListShowsKindAmountAndTimeOfEachSettlement) {
  constexpr std::int64_t kNewYear2020Ms = 1577836800000;
  Earn(1250, 4, kNewYear2020Ms);
  Earn(300, 2, kNewYear2020Ms, true);  // this one reported in seconds
  bed.mainView->AppendRow(MainList::kEarnings, {"stale"});
  LoadEarnings(bed.context, *bed.mainView);
  auto rows = bed.mainView->Rows(MainList::kEarnings);
  ASSERT_EQ(rows.size(), 2U);
  std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a[1] > b[1]; });
  const auto settlements = bed.platform().ledger.Settlements(member, {}, 0, 10);
  EXPECT_EQ(rows[0][1], "任务");
  EXPECT_EQ(rows[0][2], "12.50");
  EXPECT_EQ(rows[0][3], "2020-1-1 09:00:00");  // milliseconds: the computer's zone (UTC+9)
  EXPECT_EQ(rows[1][1], "2");
  EXPECT_EQ(rows[1][2], "3.00");
  EXPECT_EQ(rows[1][3], "2020-1-01 08:00:00");  // seconds: UTC+8
  for (const auto& row : rows) {
    EXPECT_TRUE(std::any_of(settlements.begin(), settlements.end(),
                            [&](const auto& s) { return std::to_string(s.id) == row[0]; }));
  }
}

TEST_F(EarningsTest, WithdrawalRecordsAreNumberedAndTheirStatesNamed) {
  const std::int64_t at = 1577836800000;
  const int states[][2] = {{1, 3}, {5, 0}, {2, 7}};
  for (const auto& [status, payStatus] : states) {
    sandbox::Withdrawal withdrawal;
    withdrawal.memberId = member;
    withdrawal.outBizNo = "TX" + std::to_string(status);
    withdrawal.cents = 1000;
    withdrawal.status = status;
    withdrawal.payStatus = payStatus;
    withdrawal.addMs = at;
    withdrawal.upMs = at + 3600 * 1000;
    bed.platform().ledger.AddWithdrawal(withdrawal);
  }
  LoadWithdrawals(bed.context, *bed.mainView);
  auto rows = bed.mainView->Rows(MainList::kWithdrawals);
  ASSERT_EQ(rows.size(), 3U);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(rows[i][0], std::to_string(i + 1));
  }
  std::sort(rows.begin(), rows.end(), [](const auto& a, const auto& b) { return a[1] < b[1]; });
  const std::vector<std::vector<std::string>> expected{
      {"TX1", "10.00", "申请通过", "打款中", "2020-1-1 09:00:00", "2020-1-1 10:00:00"},
      {"TX2", "10.00", "申请未通过", "7", "2020-1-1 09:00:00", "2020-1-1 10:00:00"},
      {"TX5", "10.00", "5", "未打款", "2020-1-1 09:00:00", "2020-1-1 10:00:00"}};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    EXPECT_EQ(std::vector<std::string>(rows[i].begin() + 1, rows[i].end()), expected[i]);
  }
}

TEST_F(EarningsTest, EveryKnownWithdrawalAnswerHasItsMessage) {
  const auto attempt = [this](const std::string& captcha) {
    RefreshWithdrawCaptcha(bed.context, *bed.mainView);
    bed.mainView->SetWithdrawCaptchaInput(captcha);
    Withdraw(bed.context, *bed.mainView);
    return bed.mainView->Messages().back().text;
  };
  EXPECT_EQ(attempt("0000"), "验证码错误！");
  EXPECT_EQ(attempt(kCaptcha), "请先绑定支付宝!");
  ASSERT_TRUE(bed.platform().members.BindPayout(member, "钱七", "qq@example.com"));
  EXPECT_EQ(attempt(kCaptcha), "可提现金额不足十元，不可以提现");
  for (int i = 0; i < 3; ++i) {
    Earn(2000, 4, bed.platform().Now());
    EXPECT_EQ(attempt(kCaptcha), "提现成功!");
  }
  Earn(2000, 4, bed.platform().Now());
  EXPECT_EQ(attempt(kCaptcha), "今天累计提现超过3次!");
  EXPECT_EQ(bed.mainView->Messages().size(), 7U);
}

TEST(WithdrawTest, UnknownAnswersShowNothing) {
  FlowTestBed bed;
  CannedPlatform canned(R"({"success":false,"msg":"提现成功"})");
  bed.UsePlatform(canned.BaseUrl());
  Withdraw(bed.context, *bed.mainView);
  bed.UsePlatform("http://127.0.0.1:1");
  Withdraw(bed.context, *bed.mainView);
  EXPECT_TRUE(bed.mainView->Messages().empty());
}

}  // namespace
}  // namespace hosting::platform::testing
