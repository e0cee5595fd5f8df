// Many withdrawals of one member at the same moment, each from its own logged-in session.

#include <thread>
#include <vector>

#include "sandbox/sandbox_fixture.h"

namespace sandbox::testing {
namespace {

using WithdrawRaceTest = SandboxTest;

constexpr int kSessions = 20;

TEST_F(WithdrawRaceTest, ExactlyOneOfTwentyWinsAndTheDailyLimitHolds) {
  auto first = LoggedInMember("race", "pw");
  ASSERT_EQ(first->PostJson("/custody/userapi/adminUser/bindAlipay.do",
                            "realname=Race&aliAccount=race")["msg"],
            "绑定成功");
  std::vector<std::unique_ptr<Browser>> sessions;
  for (int i = 0; i < kSessions; ++i) {
    sessions.push_back(std::make_unique<Browser>(server()));
    ASSERT_EQ(sessions.back()->Login("race", "pw")["success"], true);
  }
  const std::int64_t member = *platform().members.FindId("race");

  int successes = 0;
  for (int round = 0; round < 5; ++round) {
    Settlement earning;
    earning.memberId = member;
    earning.typeId = 4;
    earning.cents = 2345 + round;
    earning.atMs = Now();
    platform().ledger.AddSettlement(earning);

    std::vector<std::string> captchas;
    for (auto& session : sessions) {
      captchas.push_back(session->FetchCaptcha());
    }
    std::vector<std::string> answers(kSessions);
    std::vector<std::thread> threads;
    for (int i = 0; i < kSessions; ++i) {
      threads.emplace_back([&, i] {
        const auto answer = sessions[static_cast<std::size_t>(i)]->Post(
            "/custody/userapi/tixian/withdraw.do",
            "checkCode=" + captchas[static_cast<std::size_t>(i)]);
        answers[static_cast<std::size_t>(i)] =
            answer ? nlohmann::json::parse(answer->body, nullptr, false).value("msg", "")
                   : "request failed: " + httplib::to_string(answer.error());
      });
    }
    for (auto& thread : threads) {
      thread.join();
    }
    const auto won = std::count(answers.begin(), answers.end(), "提现成功，请等待。");
    const auto refused =
        std::count(answers.begin(), answers.end(), "可提现金额不足十元，不可以提现") +
        std::count(answers.begin(), answers.end(), "今天累计提现超过3次！");
    std::string all;
    for (const auto& answer : answers) {
      all += answer + "\n";
    }
    EXPECT_EQ(won + refused, kSessions) << "round " << round << ":\n" << all;
    EXPECT_EQ(won, round < 3 ? 1 : 0) << "round " << round;
    successes += static_cast<int>(won);

    const auto balances = platform().ledger.BalancesOf(member, Now());
    EXPECT_GE(balances.withdrawableCents, 0);
    if (won == 1) {
      EXPECT_EQ(balances.withdrawableCents, 0);
      EXPECT_EQ(platform().ledger.Withdrawals(member).front().cents, earning.cents);
    }
  }
  EXPECT_EQ(successes, 3);
  EXPECT_EQ(platform().ledger.Withdrawals(member).size(), 3u);
}

}  // namespace
}  // namespace sandbox::testing
