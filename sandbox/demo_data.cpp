#include "sandbox/demo_data.h"

#include <array>

#include "sandbox/platform_time.h"

namespace sandbox {

namespace {

constexpr std::int64_t kHourMs = 3'600'000;

void SeedHostedAccounts(PlatformContext& platform, std::int64_t member, std::int64_t now) {
  constexpr int kAccounts = 6;
  for (int i = 0; i < kAccounts; ++i) {
    const auto code = platform.hosting.OpenCode(member, now);
    if (!code) {
      return;
    }
    platform.hosting.Confirm(code->token, now);
    if (i % 3 == 2) {
      platform.hosting.SetOnline(code->id, false);
    }
  }
}

void SeedSettlements(PlatformContext& platform, std::int64_t member, std::int64_t now) {
  // (hours ago, type, cents): tasks (type 4) and a few other kinds of credit.
  static constexpr std::array<std::array<std::int64_t, 3>, 14> kRows = {{{1, 4, 1250},
                                                                         {3, 4, 880},
                                                                         {5, 2, 300},
                                                                         {26, 4, 1500},
                                                                         {30, 4, 720},
                                                                         {31, 1, 200},
                                                                         {50, 4, 2100},
                                                                         {52, 4, 960},
                                                                         {75, 3, 450},
                                                                         {98, 4, 1830},
                                                                         {120, 4, 1100},
                                                                         {122, 2, 650},
                                                                         {145, 4, 2400},
                                                                         {160, 4, 1990}}};
  const auto hosted = platform.hosting.List(member, 0, 50);
  for (std::size_t i = 0; i < kRows.size(); ++i) {
    Settlement row;
    row.memberId = member;
    row.suserId = hosted.empty() ? 0 : hosted[i % hosted.size()].id;
    row.typeId = static_cast<int>(kRows[i][1]);
    row.cents = kRows[i][2];
    row.atMs = now - kRows[i][0] * kHourMs;
    row.stampInSeconds = i % 2 == 0;
    platform.ledger.AddSettlement(row);
  }
  // Today's earnings count from midnight in UTC+8: make sure one falls inside today.
  Settlement today;
  today.memberId = member;
  today.typeId = 4;
  today.cents = 560;
  today.atMs = DayStartMs(now) + 60'000;
  platform.ledger.AddSettlement(today);
}

void SeedWithdrawals(PlatformContext& platform, std::int64_t member, std::int64_t now) {
  // (days ago, cents, status, pay_status): every status and every payment state.
  static constexpr std::array<std::array<std::int64_t, 4>, 5> kRows = {
      {{6, 2000, 1, 1}, {5, 1500, 2, 0}, {4, 1200, 1, 2}, {3, 1800, 1, 3}, {2, 1000, 0, 0}}};
  for (const auto& row : kRows) {
    Withdrawal withdrawal;
    withdrawal.memberId = member;
    withdrawal.addMs = now - row[0] * 24 * kHourMs;
    withdrawal.upMs = withdrawal.addMs + 2 * kHourMs;
    withdrawal.outBizNo = "TX" + CompactTime(withdrawal.addMs) + std::to_string(100000 + row[0]);
    withdrawal.cents = row[1];
    withdrawal.status = static_cast<int>(row[2]);
    withdrawal.payStatus = static_cast<int>(row[3]);
    platform.ledger.AddWithdrawal(withdrawal);
  }
}

}  // namespace

void SeedDemoData(PlatformContext& platform) {
  const std::int64_t now = platform.Now();
  const auto member = platform.members.Register(kDemoAccount, kDemoPassword, now);
  if (!member) {
    return;
  }
  platform.members.BindPayout(*member, "张三", "13800138000");
  SeedHostedAccounts(platform, *member, now);
  SeedSettlements(platform, *member, now);
  SeedWithdrawals(platform, *member, now);
}

}  // namespace sandbox
