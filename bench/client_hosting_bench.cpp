// From a press on "获取二维码" to the hosting code drawn in 图片框_二维码, with the real client
// against an in-process platform-sandbox (offscreen), and the GUI thread's longest stall over the
// whole run: a 1 ms timer on the GUI thread notes the largest gap between two of its ticks. Each
// iteration presses the button, waits for the code and releases it; the counters are medians.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

#include "e2e/client_harness.h"
#include "median.h"
#include "ui/picture_box.h"

namespace {

using namespace hosting;

QApplication& Application() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "client_hosting_bench";
  static char* argv[] = {name, nullptr};
  static QApplication application(argc, argv);
  return application;
}

// The largest gap between two ticks of a 1 ms timer on the GUI thread while it lives.
class StallMeter {
 public:
  StallMeter() {
    clock_.start();
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      const qint64 now = clock_.nsecsElapsed();
      longest_ = std::max(longest_, now - last_);
      last_ = now;
    });
    timer_.start(1);
  }
  double LongestMs() const { return static_cast<double>(longest_) / 1e6; }

 private:
  QElapsedTimer clock_;
  QTimer timer_;
  qint64 last_ = 0;
  qint64 longest_ = 0;
};

void PressToCode(benchmark::State& state) {
  Application();
  e2e::ClientHarness harness;
  harness.Start();
  ui::MainWindow& main = harness.LogInToMain(QStringLiteral("demo"), QStringLiteral("demo123"));
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
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    state.SetIterationTime(seconds);
    times.push_back(seconds * 1000.0);
    e2e::Click(release);
    e2e::WaitFor([&] { return getCode.isEnabled() && main.qrPicture().image().isNull(); });
  }
  state.counters["median_ms"] = Median(times);
  state.counters["longest_gui_stall_ms"] = stalls.LongestMs();
}

BENCHMARK(PressToCode)->UseManualTime()->Iterations(20)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
