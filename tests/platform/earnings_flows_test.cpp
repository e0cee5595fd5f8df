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

// The withdrawal records, the balances and a withdrawal are part of the member's journey.
TEST(EarningsTest, PersonalPageBringsTheWithdrawalCaptcha) {
  FlowTestBed bed;
  LoadWithdrawCaptcha(bed.context, *bed.mainView);
  EXPECT_TRUE(bed.rec.Read("图片框3").starts_with("BM"));
}

}  // namespace
}  // namespace hosting::platform::testing
