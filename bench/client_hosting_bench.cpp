// From a press on "获取二维码" to the hosting code drawn in 图片框_二维码, with the real client
// against an in-process platform-sandbox (offscreen), and the GUI thread's longest stall over the
// whole run: a 1 ms timer on the GUI thread notes the largest gap between two of its ticks. Each
// iteration presses the button, waits for the code and releases it; the counters are medians.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "e2e/client_harness.h"
#include "gui_stall.h"
#include "iteration_time.h"
#include "log_in_to_main.h"
#include "median.h"
#include "ui/picture_box.h"

namespace {

using namespace hosting;

void PressToCode(benchmark::State& state) {
  BenchApplication();
  e2e::ClientHarness harness;
  harness.Start();
  ui::MainWindow& main =
      e2e::LogInToMain(harness, QStringLiteral("demo"), QStringLiteral("demo123"));
  auto& getCode = e2e::Control<QWidget>(main, "按钮2");
  auto& release = e2e::Control<QWidget>(main, "按钮9");
  StallMeter stalls;
  std::vector<double> times;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    e2e::Click(getCode);
    if (!e2e::WaitFor([&] { return main.qrPicture().image().size() == QSize(200, 200); })) {
      std::string shown = "no code arrived after " + std::to_string(times.size()) + " codes;";
      for (const auto& box : harness.boxes().Shown())
        shown += " [" + box.message.text + "]";
      state.SkipWithError(shown.c_str());
      return;
    }
    EndIteration(state, start, times);
    e2e::Click(release);
    e2e::WaitFor([&] { return getCode.isEnabled() && main.qrPicture().image().isNull(); });
  }
  state.counters["median_ms"] = Median(times);
  state.counters["longest_gui_stall_ms"] = stalls.LongestMs();
  state.counters["longest_gui_busy_ms"] = stalls.LongestBusyMs();
}

BENCHMARK(PressToCode)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
