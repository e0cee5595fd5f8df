// The hosted-accounts list, the home counters and the avatar, against the sandbox.
#include "platform/hosted_accounts_flows.h"

#include <gtest/gtest.h>

#include "flow_test_bed.h"

namespace hosting::platform::testing {
namespace {

class HostedAccountsTest : public ::testing::Test {
 protected:
  // `count` accounts online, then the first `offline` of them set offline.
  void Host(int count, int offline) {
    bed.LogInAs("owner");
    const auto member = bed.MemberId("owner");
    auto& hosting = bed.platform().hosting;
    for (int i = 0; i < count; ++i) {
      ASSERT_TRUE(hosting.OpenCode(member, bed.platform().Now()));
      hosting.ConfirmDue(member, 0, bed.platform().Now());
    }
    const auto accounts = hosting.List(member, 0, count);
    for (int i = 0; i < offline; ++i) {
      hosting.SetOnline(accounts[static_cast<std::size_t>(i)].id, false);
    }
  }
  std::vector<std::vector<std::string>> Rows() const {
    return bed.mainView->Rows(MainList::kHostedAccounts);
  }
  FlowTestBed bed;
};

TEST_F(HostedAccountsTest, RefreshListsTheFirstFiftyWithTheirStateAndCounts) {
  Host(55, 2);
  bed.mainView->AppendRow(MainList::kHostedAccounts, {"stale"});
  RefreshHostingPage(bed.context, bed.mainView);
  bed.runner.JoinAll();
  const auto rows = Rows();
  ASSERT_EQ(rows.size(), 50U);
  const auto accounts = bed.platform().hosting.List(bed.MemberId("owner"), 0, 50);
  for (std::size_t i = 0; i < rows.size(); ++i) {
    ASSERT_EQ(rows[i].size(), 4U);
    EXPECT_EQ(rows[i][0], std::to_string(accounts[i].id));
    EXPECT_EQ(rows[i][1], i < 2 ? "离线" : "在线");
    EXPECT_EQ(rows[i][2], accounts[i].nickname);
    EXPECT_TRUE(rows[i][3].starts_with("http://127.0.0.1:")) << rows[i][3];
  }
  EXPECT_EQ(bed.mainView->Caption(MainCaption::kHostedTotal), "55");
  EXPECT_EQ(bed.mainView->Caption(MainCaption::kOnlineCount), "53");

  ClearOfflineAccounts(bed.context);
  LoadHostedAccounts(bed.context, *bed.mainView);
  EXPECT_EQ(bed.platform().hosting.Count(bed.MemberId("owner")).total, 53);
  EXPECT_EQ(Rows().size(), 50U);
}

TEST_F(HostedAccountsTest, EmptyOrRefusedListsShowNothingAndCountersStay) {
  LoadHostedAccounts(bed.context, *bed.mainView);  // not logged in: an envelope, not a list
  LoadHomeCounters(bed.context, *bed.mainView);
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(bed.mainView->Caption(MainCaption::kHostedTotal), "<unset>");
  EXPECT_EQ(bed.mainView->Caption(MainCaption::kOnlineCount), "<unset>");

  Host(0, 0);
  LoadHostedAccounts(bed.context, *bed.mainView);
  LoadHomeCounters(bed.context, *bed.mainView);
  EXPECT_TRUE(Rows().empty());
  EXPECT_EQ(bed.mainView->Caption(MainCaption::kHostedTotal), "0");
}

TEST_F(HostedAccountsTest, SelectedRowShowsItsAvatarScaledToFill) {
  Host(1, 0);
  LoadHostedAccounts(bed.context, *bed.mainView);
  bed.mainView->AppendRow(MainList::kHostedAccounts, {"2", "在线", "b", "file:///etc/passwd"});
  bed.mainView->Select(MainList::kHostedAccounts, 0);
  ShowSelectedAvatar(bed.context, *bed.mainView);
  const std::string avatar = bed.mainView->QrPicture();
  EXPECT_TRUE(avatar.starts_with("BM") || avatar.starts_with("\x89PNG")) << avatar.substr(0, 8);
  EXPECT_EQ(bed.mainView->QrPictureMode(), PictureMode::kScaledToFill);

  // An address that is no web address is not fetched: the picture goes blank.
  bed.mainView->Select(MainList::kHostedAccounts, 1);
  ShowSelectedAvatar(bed.context, *bed.mainView);
  EXPECT_EQ(bed.mainView->QrPicture(), "");
}

}  // namespace
}  // namespace hosting::platform::testing
