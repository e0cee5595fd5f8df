// The GUI thread's longest stall while the real client (offscreen) meets the heaviest hostile
// answers on the flows where they bite: the login, the list refresh and the two personal lists,
// the avatar and the hosting code. Everything but the flow under test gets ordinary answers from
// the scripted platform. One run per case: its time is from the member's action until every
// worker has finished and the window shows the outcome; the counters are the longest gap between
// two ticks of a 1 ms timer on the GUI thread over that time, and the most processor time the GUI
// thread spent between two ticks (gui_stall.h).

#include <benchmark/benchmark.h>

#include <QAbstractButton>
#include <QTreeWidget>
#include <chrono>
#include <functional>
#include <string>

#include "e2e/client_harness.h"
#include "gui_stall.h"
#include "hostile/hostile_answers.h"
#include "log_in_to_main.h"
#include "ui/main_window.h"

namespace {

using namespace hosting;
using hostile::Hostility;

struct Case {
  const char* flow;
  const char* path;  // the requests that get the hostile answer
  Hostility kind;
  bool ordinary = false;  // the peer: ordinary answers only
};

constexpr Case kCases[] = {
    {"Login", "adminUser/login.do", Hostility::kCookieFlood, true},
    {"Login", "adminUser/login.do", Hostility::kHugeBody},
    {"Login", "adminUser/login.do", Hostility::kDeepNesting},
    {"Login", "adminUser/login.do", Hostility::kSilent},
    {"Login", "adminUser/login.do", Hostility::kCookieFlood},
    {"ListRefresh", "weixin/list.do", Hostility::kManyRows},
    {"ListRefresh", "weixin/list.do", Hostility::kHugeBody},
    {"ListRefresh", "weixin/list.do", Hostility::kDeepNesting},
    {"ListRefresh", "weixin/list.do", Hostility::kSilent},
    {"Earnings", "getJieSuan.do", Hostility::kManyRows},
    {"Withdrawals", "getTixianList.do", Hostility::kManyRows},
    {"Avatar", "/avatar", Hostility::kNotAnImage},
    {"Avatar", "/avatar", Hostility::kHugeBody},
    {"Avatar", "/avatar", Hostility::kSilent},
    {"Hosting", "weixin/code.do", Hostility::kCookieFlood, true},
    {"Hosting", "weixin/code.do", Hostility::kSilent},
    {"Hosting", "weixin/code.do", Hostility::kHugeBody},
    {"Hosting", "weixin/code.do", Hostility::kDeepNesting},
    {"Hosting", "weixin/code.do", Hostility::kCookieFlood},
};

e2e::HarnessOptions Options(const testing_support::ScriptedPlatform& platform) {
  e2e::HarnessOptions options;
  options.platformUrl = platform.BaseUrl();
  options.requestTimeout = std::chrono::seconds(1);
  options.timings.retryAttempts = 2;
  options.timings.retryWait = std::chrono::milliseconds(100);
  options.timings.retryGap = std::chrono::milliseconds(10);
  return options;
}

void Press(ui::MainWindow& main, const char* button) {
  e2e::Control<QAbstractButton>(main, button).click();
}

// The member's action on MainWindow for the case's flow.
void Act(const Case& c, ui::MainWindow& main, const testing_support::ScriptedPlatform& platform) {
  const std::string flow = c.flow;
  if (flow == "ListRefresh") {
    Press(main, "按钮8");
  } else if (flow == "Earnings") {
    Press(main, "按钮1");
  } else if (flow == "Withdrawals") {
    Press(main, "按钮4");
  } else if (flow == "Hosting") {
    Press(main, "按钮2");
  } else {
    QTreeWidget& list = main.hostedAccounts();
    auto* row = new QTreeWidgetItem(
        &list, {"1", "在线", "n", QString::fromStdString(platform.Url("/avatar.png"))});
    list.setCurrentItem(row);
  }
}

void RunCase(benchmark::State& state, const Case& c) {
  BenchApplication();
  const auto platform = hostile::ServeHostile(c.kind, {.path = c.ordinary ? "(none)" : c.path});
  e2e::ClientHarness harness(Options(*platform));
  harness.Start();
  const bool login = std::string(c.flow) == "Login";
  ui::MainWindow* main = nullptr;
  if (!login) {
    main = &e2e::LogInToMain(harness, QStringLiteral("member"), QStringLiteral("pw"));
  }
  for (auto _ : state) {
    StallMeter stalls;
    const auto start = std::chrono::steady_clock::now();
    if (login) {
      harness.LogIn(QStringLiteral("member"), QStringLiteral("pw"), false, QStringLiteral("c"));
    } else {
      Act(c, *main, *platform);
    }
    if (!harness.WaitWorkers()) {
      state.SkipWithError("the flow did not end");
      return;
    }
    QCoreApplication::processEvents();  // what the workers posted last
    state.SetIterationTime(
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    state.counters["longest_gui_stall_ms"] = stalls.LongestMs();
    state.counters["longest_gui_busy_ms"] = stalls.LongestBusyMs();
  }
  if (main != nullptr) {
    state.counters["rows_shown"] =
        std::max({main->hostedAccounts().topLevelItemCount(), main->earnings().topLevelItemCount(),
                  main->withdrawals().topLevelItemCount()});
  }
  state.counters["messages"] = static_cast<double>(harness.boxes().Count());
}

}  // namespace

int main(int argc, char** argv) {
  for (const Case& c : kCases) {
    const std::string name =
        std::string(c.flow) + "/" + (c.ordinary ? "Ordinary" : hostile::Name(c.kind));
    benchmark::RegisterBenchmark(name.c_str(), [c](benchmark::State& state) { RunCase(state, c); })
        ->UseManualTime()
        ->Iterations(1)
        ->Unit(benchmark::kMillisecond);
  }
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
