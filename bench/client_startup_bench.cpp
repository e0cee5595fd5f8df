// From process start to the first window on screen, and the peak memory of that start, for
// hosting-client beside a bare Qt window (the floor any Qt Widgets program pays). Each
// iteration starts both programs afresh, one after the other, on the X display of DISPLAY and
// stops each one second after its window is mapped (ten pairs, medians in the counters).
//
// Both run on a desktop's terms: an X display and a D-Bus session bus. Qt's accessibility bridge
// connects to that bus when a window first tells assistive technology about itself (the bare
// window once it is shown, LoginWindow while it is built); without a bus, libdbus first tries to
// launch one and fails, some ten milliseconds that no desktop pays. Run it from build/default
// under Xvfb and a private session bus:
//
//   dbus-run-session -- xvfb-run -a -s '-screen 0 1280x800x24' bench/client_startup_bench
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
#include <optional>
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

struct Start {
  double ms = 0;
  double peakRssMiB = 0;
};

// One start of `program`: the time until its window is mapped, and its peak memory one second
// later, once start-up work has settled.
std::optional<Start> StartOnce(Display* display, const char* program) {
  char* argv[] = {const_cast<char*>(program), nullptr};
  const auto start = std::chrono::steady_clock::now();
  pid_t child = 0;
  if (posix_spawn(&child, program, nullptr, nullptr, argv, environ) != 0)
    return std::nullopt;
  const bool mapped = WaitForMappedWindow(display, std::chrono::seconds(20));
  const auto shown = std::chrono::steady_clock::now();
  std::this_thread::sleep_for(std::chrono::seconds(1));
  kill(child, SIGKILL);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  XSync(display, True);  // drop the unmap and destroy events of this run
  if (!mapped)
    return std::nullopt;
  return Start{std::chrono::duration<double, std::milli>(shown - start).count(),
               static_cast<double>(usage.ru_maxrss) / 1024.0};
}

// Each iteration starts hosting-client and then the bare window, so that a change of load on the
// machine weighs on both alike; the time is the client's mean, the counters are medians, and
// `ratio` is the median of the per-iteration client/bare ratios.
void ClientBesideBareWindow(benchmark::State& state) {
  const DisplayPtr display(XOpenDisplay(nullptr));
  if (!display) {
    state.SkipWithError("no X display: run under xvfb-run");
    return;
  }
  if (std::getenv("DBUS_SESSION_BUS_ADDRESS") == nullptr) {
    state.SkipWithError("no D-Bus session bus: run under dbus-run-session");
    return;
  }
  XSelectInput(display.get(), DefaultRootWindow(display.get()), SubstructureNotifyMask);
  XSync(display.get(), True);
  std::vector<double> clientMs, bareMs, clientRss, bareRss, ratios;
  for (auto _ : state) {
    const auto client = StartOnce(display.get(), HOSTING_CLIENT_PATH);
    const auto bare = StartOnce(display.get(), BARE_WINDOW_PATH);
    if (!client || !bare) {
      state.SkipWithError("a program did not start or showed no window");
      return;
    }
    state.SetIterationTime(client->ms / 1000.0);
    clientMs.push_back(client->ms);
    bareMs.push_back(bare->ms);
    clientRss.push_back(client->peakRssMiB);
    bareRss.push_back(bare->peakRssMiB);
    ratios.push_back(client->ms / bare->ms);
  }
  state.counters["client_ms"] = Median(clientMs);
  state.counters["bare_ms"] = Median(bareMs);
  state.counters["ratio"] = Median(ratios);
  state.counters["client_peak_rss_MiB"] = Median(clientRss);
  state.counters["bare_peak_rss_MiB"] = Median(bareRss);
}

BENCHMARK(ClientBesideBareWindow)->UseManualTime()->Iterations(10)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
