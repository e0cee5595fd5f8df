#include "platform/hosted_accounts_flows.h"

#include <gtest/gtest.h>

#include "flow_test_bed.h"

namespace hosting::platform::testing {
namespace {

TEST(HostedAccountsTest, ListsTheFirstFiftyWithStateAndCountsAndClearsTheOffline) {
  FlowTestBed bed;
  const std::int64_t member = bed.LogInAs("owner");
  auto& hosting = bed.platform().hosting;
  const auto accounts = bed.HostAccounts(member, 55);
  for (int i = 0; i < 2; ++i)
    hosting.SetOnline(accounts[static_cast<std::size_t>(i)].id, false);
  bed.mainView->AppendRow(MainList::kHostedAccounts, {"stale"});
  RefreshHostingPage(bed.context, bed.mainView);
  bed.runner.JoinAll();
  const auto rows = bed.Rows(MainList::kHostedAccounts);
  ASSERT_EQ(rows.size(), 50U);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    ASSERT_EQ(rows[i].size(), 4U);
    EXPECT_EQ(rows[i][0], std::to_string(accounts[i].id));
    EXPECT_EQ(rows[i][1], i < 2 ? "离线" : "在线");
    EXPECT_EQ(rows[i][2], accounts[i].nickname);  // the avatar's address: row 0's below
  }
  EXPECT_EQ(bed.Caption(MainCaption::kHostedTotal) + "/" + bed.Caption(MainCaption::kOnlineCount),
            "55/53");
  ClearOfflineAccounts(bed.context);
  EXPECT_EQ(hosting.Count(member).total, 53);

  // The selected row's avatar, scaled to fill; an address that is no web address is not fetched.
  bed.mainView->AppendRow(MainList::kHostedAccounts, {"2", "在线", "b", "file:///etc/passwd"});
  for (const int row : {0, 50}) {
    bed.rec.Write("托管状态 selected", std::to_string(row));
    ShowSelectedAvatar(bed.context, *bed.mainView);
    EXPECT_EQ(bed.rec.Read("图片框_二维码").starts_with("BM"), row == 0);
    EXPECT_EQ(bed.rec.Read("图片框_二维码 mode") + bed.rec.Read("图片框_二维码 notice", "?"), "1");
  }
}

}  // namespace
}  // namespace hosting::platform::testing
