// Withdrawals: the whole balance from ten yuan, three a day, never twice. What a refused or failed
// withdrawal gives back shows in the member's journey.
#include <thread>

#include "sandbox/platform_time.h"
#include "sandbox/sandbox_fixture.h"

namespace sandbox::testing {
namespace {

class MoneyTest : public SandboxTest {
 protected:
  std::int64_t Member(const std::string& account) {
    const auto id = platform().members.Register(account, "pw", Now()).value_or(-1);
    EXPECT_TRUE(platform().members.BindPayout(id, account, account + "@example.com"));
    return id;
  }
  void Earn(std::int64_t member, std::int64_t cents) {
    ledger().AddSettlement({.memberId = member, .typeId = 4, .cents = cents, .atMs = Now()});
  }
  LedgerStore& ledger() { return platform().ledger; }
};

TEST_F(MoneyTest, WithdrawalsTakeTheWholeBalanceFromTenYuanThreeTimesADay) {
  const std::int64_t leo = Member("leo");
  using enum WithdrawOutcome;
  const std::tuple<std::int64_t, WithdrawOutcome, std::int64_t> steps[] = {
      {999, kTooLittle, 999},
      {1, kDone, 0},
      {1234, kDone, 0},
      {1000, kDone, 0},
      {1000, kDailyLimit, 1000}};
  for (const auto& [earn, outcome, left] : steps) {
    Earn(leo, earn);
    EXPECT_EQ(ledger().Withdraw(leo, Now()), outcome) << earn;
    EXPECT_EQ(Withdrawable(leo), left) << earn;
  }
  Advance(DayStartMs(Now()) + kDayMs - Now());
  EXPECT_EQ(ledger().Withdraw(leo, Now()), kDone);
}

TEST_F(MoneyTest, ConcurrentWithdrawalsOfOneMemberNeverSpendTwice) {
  const std::int64_t race = Member("race");
  std::vector<std::unique_ptr<Browser>> sessions(20);
  for (auto& session : sessions) {
    session = std::make_unique<Browser>(server().port());
    ASSERT_EQ(session->Login("race", "pw")["success"], true);
  }
  std::int64_t left = 0;
  for (int round = 0; round < 5; ++round) {
    Earn(race, 2345 + round);
    left += 2345 + round;
    for (auto& session : sessions)
      session->Send("/custody/verificationCode/generate.do");
    std::vector<std::string> answers(sessions.size());
    std::vector<std::jthread> threads;
    for (std::size_t i = 0; i < sessions.size(); ++i) {
      threads.emplace_back([&, i] {
        const auto answer =
            sessions[i]->Api("tixian/withdraw.do", std::string("checkCode=") + kCaptcha);
        answers[i] = answer.is_object() ? answer.value("msg", "") : "";
      });
    }
    threads.clear();
    const auto count = [&](const char* msg) { return std::ranges::count(answers, msg); };
    const auto won = count("提现成功，请等待。");
    EXPECT_EQ(won, round < 3 ? 1 : 0) << round;
    EXPECT_EQ(won + count("可提现金额不足十元，不可以提现") + count("今天累计提现超过3次！"), 20);
    left = won == 1 ? 0 : left;
    EXPECT_EQ(Withdrawable(race), left) << round;
  }
}

}  // namespace
}  // namespace sandbox::testing
