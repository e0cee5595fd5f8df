// From process start to the first window on screen, and the peak memory of that start, for
// hosting-client beside a bare Qt window (the floor any Qt Widgets program pays). Each
// iteration starts the program afresh on the X display of DISPLAY and stops it one second after
// its window is mapped (ten starts, medians in the counters); run it under Xvfb:
//
//   xvfb-run -a -s '-screen 0 1280x800x24' build/default/bench/client_startup_bench
//
// No platform needs to run: the client's window does not wait for the network.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <benchmark/benchmark.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "median.h"

extern char** environ;

namespace {

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayPtr = std::unique_ptr<Display, DisplayCloser>;

// Waits for the next top-level window to be mapped; false after `limit`.
bool WaitForMappedWindow(Display* display, std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < deadline) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      if (event.type == MapNotify)
        return true;
    }
    pollfd connection{ConnectionNumber(display), POLLIN, 0};
    poll(&connection, 1, 10);
  }
  return false;
}

// Each iteration is one start of `program`; the time is the mean, the counters are medians.
void StartToWindow(benchmark::State& state, const char* program) {
  // One connection for both programs' runs: it watches every window mapped on the display.
  static const DisplayPtr display(XOpenDisplay(nullptr));
  if (!display) {
    state.SkipWithError("no X display: run under xvfb-run");
    return;
  }
  XSelectInput(display.get(), DefaultRootWindow(display.get()), SubstructureNotifyMask);
  XSync(display.get(), True);
  std::vector<double> times;
  std::vector<double> peaks;
  for (auto _ : state) {
    char* argv[] = {const_cast<char*>(program), nullptr};
    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    if (posix_spawn(&child, program, nullptr, nullptr, argv, environ) != 0) {
      state.SkipWithError("cannot start the program");
      return;
    }
    const bool mapped = WaitForMappedWindow(display.get(), std::chrono::seconds(20));
    const auto shown = std::chrono::steady_clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(1));  // let start-up work settle
    kill(child, SIGKILL);
    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    XSync(display.get(), True);  // drop the unmap and destroy events of this run
    if (!mapped) {
      state.SkipWithError("no window appeared");
      return;
    }
    const double seconds = std::chrono::duration<double>(shown - start).count();
    state.SetIterationTime(seconds);
    times.push_back(seconds * 1000.0);
    peaks.push_back(static_cast<double>(usage.ru_maxrss) / 1024.0);
  }
  state.counters["median_ms"] = Median(times);
  state.counters["median_peak_rss_MiB"] = Median(peaks);
}

void Register(const char* name, const char* program) {
  benchmark::RegisterBenchmark(name, StartToWindow, program)
      ->UseManualTime()
      ->Iterations(10)
      ->Unit(benchmark::kMillisecond);
}

// Registered at start-up, before BENCHMARK_MAIN parses the command line.
[[maybe_unused]] const bool kRegistered = [] {
  Register("StartToWindow/hosting_client", HOSTING_CLIENT_PATH);
  Register("StartToWindow/bare_qt_window", BARE_WINDOW_PATH);
  return true;
}();

}  // namespace

BENCHMARK_MAIN();
