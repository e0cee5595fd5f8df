// No thread outlives its flow: after each flow of MainWindow, run a few times over, the process
// comes back to the threads it had when idle (the sandbox's pool, Qt's own, the GUI thread), so
// neither workers nor countdowns nor the transport leave one behind.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "e2e/client_harness.h"
#include "e2e/member_flows.h"
#include "e2e/process_probe.h"
#include "ui/picture_box.h"

namespace hosting::e2e {
namespace {

constexpr int kRepeats = 3;

// Waits until the process has no more threads than `idle`; false (with the surplus still there)
// after the deadline.
bool BackTo(int idle) {
  return WaitFor([idle] { return ThreadCount() <= idle; }, 10000);
}

TEST(ThreadLifetime, EveryFlowGivesItsThreadsBack) {
  ClientHarness harness;
  harness.Start();
  harness.LogInToMain("demo", "demo123");
  MemberFlows flows(harness);
  const int idle = ThreadCount();
  std::int64_t hosted = 0;
  const std::vector<std::pair<std::string, std::function<void()>>> steps = {
      {"hosting", [&] { hosted = flows.HostAccount(); }},
      {"refresh", [&] { flows.RefreshAccounts(); }},
      {"avatar", [&] { flows.ShowAvatarOf(hosted); }},
      {"release", [&] { flows.ReleaseCode(); }},
      {"clear offline", [&] { flows.DropAccount(hosted); }},
      {"earnings", [&] { flows.QueryEarnings(); }},
      {"withdrawals", [&] { flows.QueryWithdrawals(); }},
      {"captcha", [&] { flows.ClickWithdrawCaptcha(); }},
  };
  for (int round = 0; round < kRepeats; ++round) {
    for (const auto& [name, step] : steps) {
      ASSERT_NO_THROW(step()) << name << " in round " << round;
      ASSERT_TRUE(BackTo(idle)) << name << " in round " << round << " left " << ThreadCount() - idle
                                << " thread(s) behind";
    }
  }
  EXPECT_EQ(flows.RefreshAccounts(), flows.RefreshAccounts()) << "the list holds its size";
}

// A code nobody scans: its countdown runs out, its poll gives up after the grace, and both
// threads end; released half-way, the countdown ends at once and the poll still gives up.
TEST(ThreadLifetime, AnUnscannedCodeEndsItsCountdownAndPoll) {
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
  for (const bool release : {false, true, false, true}) {
    const qint64 shownBefore = main.qrPicture().image().cacheKey();
    Click(main.qrButton());
    ASSERT_TRUE(WaitFor([&] {
      const QImage& code = main.qrPicture().image();
      return !code.isNull() && code.cacheKey() != shownBefore;
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
