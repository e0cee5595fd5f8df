// Balances, payout account, binding and withdrawals against the sandbox.
#include "platform/earnings_flows.h"

#include <gtest/gtest.h>

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
