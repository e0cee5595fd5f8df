#include "platform/hosted_accounts_flows.h"

#include <gtest/gtest.h>

#include "flow_test_bed.h"

namespace hosting::platform::testing {
namespace {

// The list with its states and counters is part of the member's journey, its cap at 50 of the
// hostile matrix, clearing the offline accounts of the client's journey. The selected row's
// avatar is scaled to fill; an address that is no web address is not fetched.
TEST(HostedAccountsTest, TheSelectedRowsAvatarComesOnlyFromAWebAddress) {
  FlowTestBed bed;
  bed.HostAccounts(bed.LogInAs("owner"), 1);
  LoadHostedAccounts(bed.context, *bed.mainView);
  bed.mainView->AppendRow(MainList::kHostedAccounts, {"2", "在线", "b", "file:///etc/passwd"});
  for (const int row : {0, 1}) {
    bed.rec.Write("托管状态 selected", std::to_string(row));
    ShowSelectedAvatar(bed.context, *bed.mainView);
    EXPECT_EQ(bed.rec.Read("图片框_二维码").starts_with("BM"), row == 0);
    EXPECT_EQ(bed.rec.Read("图片框_二维码 mode") + bed.rec.Read("图片框_二维码 notice", "?"), "1");
  }
}

}  // namespace
}  // namespace hosting::platform::testing
