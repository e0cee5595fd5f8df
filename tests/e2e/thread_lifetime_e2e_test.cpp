// No thread outlives its flow: after each flow of MainWindow, run twice over, the process comes
// back to the threads it had when idle (the sandbox's pool, Qt's own, the GUI thread), so neither
// workers nor countdowns nor the transport leave one behind.
#include <gtest/gtest.h>

#include <QThreadPool>
#include <functional>

#include "e2e/member_flows.h"
#include "ui/picture_box.h"

namespace hosting::e2e {
namespace {

// Qt draws some images on its global pool, whose threads wait 30 s for more work before they end;
// here they end with their work, so that every thread still there after a flow is one it left.
class ThreadLifetime : public testing::Test {
 protected:
  void SetUp() override { QThreadPool::globalInstance()->setExpiryTimeout(0); }
  void TearDown() override { QThreadPool::globalInstance()->setExpiryTimeout(30000); }
  // Whether the process is back to no more than `idle` threads before the deadline.
  static bool BackTo(int idle) {
    return WaitFor([idle] { return ThreadCount() <= idle; }, 10000);
  }
};

TEST_F(ThreadLifetime, EveryFlowGivesItsThreadsBack) {
  ClientHarness harness;
  harness.Start();
  harness.LogInToMain("demo", "demo123");
  MemberFlows flows(harness);
  const int idle = ThreadCount();
  std::int64_t hosted = 0;
  const std::pair<const char*, std::function<void()>> steps[] = {
      {"hosting", [&] { hosted = flows.HostAccount(); }},
      {"refresh", [&] { flows.RefreshAccounts(); }},
      {"avatar", [&] { flows.ShowAvatarOf(hosted); }},
      {"release", [&] { flows.ReleaseCode(); }},
      {"clear offline", [&] { flows.DropAccount(hosted); }},
      {"earnings", [&] { flows.QueryEarnings(); }},
      {"withdrawals", [&] { flows.QueryWithdrawals(); }},
      {"captcha", [&] { flows.ClickWithdrawCaptcha(); }},
  };
  for (int round = 0; round < 2; ++round) {
    for (const auto& [name, step] : steps) {
      ASSERT_NO_THROW(step()) << name << " in round " << round;
      ASSERT_TRUE(BackTo(idle)) << name << " in round " << round << " left " << ThreadCount() - idle
                                << " thread(s) behind";
    }
  }
}

// A code nobody scans: its countdown runs out, its poll gives up after the grace, and both
// threads end; released half-way, the countdown ends at once and the poll still gives up.
TEST_F(ThreadLifetime, AnUnscannedCodeEndsItsCountdownAndPoll) {
  HarnessOptions options;
  options.timings.countdownTick = std::chrono::milliseconds(20);
  options.timings.countdownSteps = 10;
  options.timings.pollInterval = std::chrono::milliseconds(20);
  options.timings.pollGrace = std::chrono::milliseconds(200);
  ClientHarness harness(options);
  harness.Start();
  ui::MainWindow& main = harness.LogInToMain("demo", "demo123");
  MemberFlows flows(harness);
  const int idle = ThreadCount();
  for (const bool release : {false, true}) {
    const qint64 shownBefore = main.qrPicture().image().cacheKey();
    Click(main.qrButton());
    ASSERT_TRUE(WaitFor([&] {
      return !main.qrPicture().image().isNull() &&
             main.qrPicture().image().cacheKey() != shownBefore;
    }));
    if (release)
      flows.ReleaseCode();
    ASSERT_TRUE(WaitFor([&] { return main.qrButton().isEnabled(); }))
        << "an expired code enables 获取二维码 again";
    ASSERT_TRUE(harness.WaitWorkers()) << "the poll of an unscanned code gives up";
    EXPECT_TRUE(BackTo(idle)) << ThreadCount() - idle << " thread(s) left behind";
  }
}

}  // namespace
}  // namespace hosting::e2e
