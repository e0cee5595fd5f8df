// The GUI thread during looks of the hosted-accounts watch: the demo member hosts 50 accounts, a
// row is selected, and before each look the platform takes one more account offline, so that every
// look replaces all 50 rows, restores the selection and announces one account. Each iteration is
// one look, timed from the platform's change to the announcement on screen; the stall counters
// cover the whole run (a 1 ms timer on the GUI thread, see gui_stall.h). Its peer: the member's
// 刷新页面 of the same 50 rows (emptied, then appended row by row).

#include <benchmark/benchmark.h>

#include <QLabel>
#include <QTreeWidget>
#include <chrono>
#include <vector>

#include "e2e/client_harness.h"
#include "gui_stall.h"
#include "iteration_time.h"
#include "log_in_to_main.h"
#include "median.h"

namespace {

using namespace hosting;
using namespace std::chrono_literals;

constexpr int kAccounts = 50;

// The demo member with kAccounts accounts, all online, logged in; the middle row selected.
ui::MainWindow& OpenWithFiftyAccounts(e2e::ClientHarness& harness) {
  auto& platform = harness.sandbox().platform();
  const std::int64_t demo = platform.members.FindId("demo").value_or(0);
  while (platform.hosting.Count(demo).total < kAccounts) {
    platform.hosting.OpenCode(demo, platform.Now());
    platform.hosting.ConfirmDue(demo, 0, platform.Now());
  }
  for (const auto& account : platform.hosting.List(demo, 0, kAccounts))
    platform.hosting.SetOnline(account.id, true);
  harness.Start();
  ui::MainWindow& main =
      e2e::LogInToMain(harness, QStringLiteral("demo"), QStringLiteral("demo123"));
  QTreeWidget& list = main.hostedAccounts();
  list.setCurrentItem(list.topLevelItem(kAccounts / 2));
  harness.WaitWorkers();
  return main;
}

void Report(benchmark::State& state, const std::vector<double>& times, const StallMeter& stalls) {
  state.counters["median_ms"] = Median(times);
  state.counters["longest_gui_stall_ms"] = stalls.LongestMs();
  state.counters["longest_gui_busy_ms"] = stalls.LongestBusyMs();
}

void WatchLook(benchmark::State& state) {
  BenchApplication();
  e2e::HarnessOptions options;
  options.timings.watchInterval = 20ms;
  e2e::ClientHarness harness(options);
  ui::MainWindow& main = OpenWithFiftyAccounts(harness);
  QTreeWidget& list = main.hostedAccounts();
  auto& platform = harness.sandbox().platform();
  const std::int64_t demo = platform.members.FindId("demo").value_or(0);
  const auto& notice = e2e::Control<QLabel>(main, "离线提示");
  const auto accounts = platform.hosting.List(demo, 0, kAccounts);
  // One look first, so that every account is known online.
  e2e::WaitFor([] { return false; }, 100);
  StallMeter stalls;
  std::vector<double> times;
  std::size_t next = 0;
  for (auto _ : state) {
    const auto& account = accounts.at(next++ % accounts.size());
    platform.hosting.SetOnline(account.id, false);
    const QString expected = QStringLiteral("账号 %1（").arg(account.id);
    const auto start = std::chrono::steady_clock::now();
    if (!e2e::WaitFor([&] { return notice.text().startsWith(expected); }, 5000)) {
      state.SkipWithError("no announcement");
      return;
    }
    EndIteration(state, start, times);
    platform.hosting.SetOnline(account.id, true);
    e2e::WaitFor([] { return false; }, 50);  // a look that sees it back
  }
  state.counters["rows"] = list.topLevelItemCount();
  state.counters["selection_kept"] = list.currentItem() == list.topLevelItem(kAccounts / 2);
  Report(state, times, stalls);
}

void MemberRefresh(benchmark::State& state) {
  BenchApplication();
  e2e::HarnessOptions options;
  options.timings.watchInterval = std::chrono::hours(1);  // the watch stays out of the way
  e2e::ClientHarness harness(options);
  ui::MainWindow& main = OpenWithFiftyAccounts(harness);
  QTreeWidget& list = main.hostedAccounts();
  auto& refresh = e2e::Control<QWidget>(main, "按钮8");
  StallMeter stalls;
  std::vector<double> times;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    e2e::Click(refresh);
    if (!harness.WaitWorkers() || list.topLevelItemCount() != kAccounts) {
      state.SkipWithError("the list did not come back");
      return;
    }
    EndIteration(state, start, times);
  }
  Report(state, times, stalls);
}

BENCHMARK(WatchLook)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);
BENCHMARK(MemberRefresh)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
