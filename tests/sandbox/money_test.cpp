// Withdrawals: the whole balance from ten yuan, three a day, never twice. The flows see each answer
// once; what a refused or failed withdrawal gives back shows in the member's journey.
#include <thread>

#include "sandbox/platform_time.h"
#include "sandbox/sandbox_fixture.h"

namespace sandbox::testing {
namespace {

using MoneyTest = SandboxTest;

// Twenty sessions of one member ask at once, round after round: 9.99 is too little, then 10.00
// goes whole, two more rounds go, the fourth of the day is refused; midnight starts the count
// again.
TEST_F(MoneyTest, ConcurrentWithdrawalsOfOneMemberNeverSpendTwice) {
  const std::int64_t race = platform().members.Register("race", "pw", Now()).value_or(-1);
  ASSERT_TRUE(platform().members.BindPayout(race, "race", "race@example.com"));
  std::vector<std::unique_ptr<Browser>> sessions(20);
  for (auto& session : sessions) {
    session = std::make_unique<Browser>(server().port());
    ASSERT_EQ(session->Login("race", "pw")["success"], true);
  }
  const std::int64_t earned[] = {999, 1, 2345, 2346, 2347};
  std::int64_t left = 0;
  for (int round = 0; round < 5; ++round) {
    platform().ledger.AddSettlement(
        {.memberId = race, .typeId = 4, .cents = earned[round], .atMs = Now()});
    left += earned[round];
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
    EXPECT_EQ(won, round == 0 || round == 4 ? 0 : 1) << round;
    EXPECT_EQ(won + count("可提现金额不足十元，不可以提现") + count("今天累计提现超过3次！"), 20);
    left = won == 1 ? 0 : left;
    EXPECT_EQ(Withdrawable(race), left) << round;
  }
  Advance(DayStartMs(Now()) + kDayMs - Now());
  EXPECT_EQ(platform().ledger.Withdraw(race, Now()), WithdrawOutcome::kDone);
}

}  // namespace
}  // namespace sandbox::testing
