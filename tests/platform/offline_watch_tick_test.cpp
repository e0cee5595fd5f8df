#include "platform/offline_watch_tick.h"

#include <gtest/gtest.h>

#include <atomic>

#include "flow_test_bed.h"
#include "support/scripted_platform.h"

namespace hosting::platform::testing {
namespace {

using namespace std::chrono_literals;

std::vector<std::string> Announcements(const Recorder& recorder) {
  std::vector<std::string> announced;
  for (const std::string& event : recorder.Events())
    if (event.starts_with("announced "))
      announced.push_back(event);
  return announced;
}

// Between two usable lists, each account that went from 在线 to 离线 is announced once; one
// offline from the start, one that stays offline or comes back is not. The rows follow each list.
TEST(OfflineWatchTest, AnnouncesEachAccountThatWentOfflineOnce) {
  FlowTestBed bed;
  const std::int64_t member = bed.LogInAs("watched");
  auto& hosting = bed.platform().hosting;
  const auto accounts = bed.HostAccounts(member, 3);
  const auto offline = [&](std::size_t k) {
    return "announced 账号 " + std::to_string(accounts[k].id) + "（" + accounts[k].nickname +
           "）已离线，请重新获取二维码托管";
  };
  hosting.SetOnline(accounts[2].id, false);
  OfflineWatchTick tick;
  const std::pair<std::function<void()>, std::vector<std::string>> steps[] = {
      {[] {}, {}},
      {[&] { hosting.SetOnline(accounts[0].id, false); }, {offline(0)}},
      {[] {}, {}},
      {[&] { hosting.SetOnline(accounts[0].id, true); }, {}},
      {[&] { hosting.SetOnline(accounts[0].id, false), hosting.SetOnline(accounts[1].id, false); },
       {offline(0), offline(1)}}};
  int step = 0;
  for (const auto& [change, announced] : steps) {
    change();
    bed.rec.Clear();
    tick.Run(bed.context, *bed.mainView);
    EXPECT_EQ(Announcements(bed.rec), announced) << "step " << step++;
  }
  const auto rows = bed.Rows(MainList::kHostedAccounts);
  ASSERT_EQ(rows.size(), 3U);
  EXPECT_EQ(rows[0][1] + rows[1][1] + rows[2][1], "离线离线离线");
  EXPECT_EQ(bed.Caption(MainCaption::kOnlineCount), "0");
}

// A look while a refresh of the member's runs sends no request; a list that is no list, or that a
// refresh of the member's began under, writes no rows and announces nothing.
TEST(OfflineWatchTest, ALookDuringTheMembersRefreshOrWithoutAUsableListChangesNothing) {
  FlowTestBed blank(std::nullopt);
  std::atomic<int> requests = 0;
  testing_support::ScriptedPlatform canned([&requests](std::string_view) {
    ++requests;
    return net::testing::Reply{net::testing::HttpReply("200 OK", {}, "<html>维护中</html>")};
  });
  blank.context.endpoints.platformBaseUrl = canned.BaseUrl();
  blank.mainView->AppendRow(MainList::kHostedAccounts, {"7", "在线", "kept"});
  const auto before = blank.rec.Events();
  OfflineWatchTick tick;
  tick.Run(blank.context, *blank.mainView);
  EXPECT_EQ(requests, 2) << "the list and the counters were asked for";
  const auto running = blank.hostedList.BeginMemberRefresh();
  tick.Run(blank.context, *blank.mainView);
  EXPECT_EQ(requests, 2);
  EXPECT_EQ(blank.rec.Events(), before);

  HostedListGate gate;
  const auto look = gate.TryBeginTick();
  const auto refresh = gate.BeginMemberRefresh();
  EXPECT_FALSE(gate.TryBeginTick());
  EXPECT_FALSE(gate.WriteIfUndisturbed(*look, [] { ADD_FAILURE() << "rows written"; }));
}

}  // namespace
}  // namespace hosting::platform::testing
