// No thread outlives its flow: after each flow of MainWindow, run a few times over, the process
// comes back to the threads it had when idle (the sandbox's pool, Qt's own, the GUI thread), so
// neither workers nor countdowns nor the transport leave one behind. First, the probe these checks
// (and hosting-soak) read the process with.

#include <gtest/gtest.h>

#include <QThreadPool>
#include <cstring>
#include <functional>
#include <latch>
#include <memory>
#include <string>
#include <thread>
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

// The probe itself: a thread that starts is counted until it has been joined, and memory written
// shows in the resident size (and in the heap, where the C library's allocator is the one in use).
TEST(ProcessProbe, SeesThreadsAndMemoryComeAndGo) {
  std::thread([] {}).join();  // the first thread may bring a sanitizer's own along
  std::latch started(1);
  std::latch release(1);
  std::thread worker([&] {
    started.count_down();
    release.wait();
  });
  started.wait();
  const int withWorker = ThreadCount();
  EXPECT_GE(withWorker, 2);
  release.count_down();
  worker.join();
  EXPECT_TRUE(BackTo(withWorker - 1));

  constexpr std::size_t kBlock = 32 << 20;
  const ProcessProbe empty = ProcessProbe::Now();
  const auto block = std::make_unique<char[]>(kBlock);
  std::memset(block.get(), 1, kBlock);
  __asm__ volatile("" : : "r"(block.get()) : "memory");  // the block is in use: keep it
  const ProcessProbe full = ProcessProbe::Now();
  EXPECT_GE(full.residentBytes, empty.residentBytes + kBlock / 2);
#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
  EXPECT_GE(full.heapBytes, empty.heapBytes + kBlock);
#endif
}

// Qt draws some images on its global pool, whose threads wait 30 s for more work before they end;
// here they end with their work, so that every thread still there after a flow is one it left.
class ThreadLifetime : public testing::Test {
 protected:
  void SetUp() override { QThreadPool::globalInstance()->setExpiryTimeout(0); }
  void TearDown() override { QThreadPool::globalInstance()->setExpiryTimeout(kQtExpiryMs); }

 private:
  static constexpr int kQtExpiryMs = 30000;
};

TEST_F(ThreadLifetime, EveryFlowGivesItsThreadsBack) {
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
