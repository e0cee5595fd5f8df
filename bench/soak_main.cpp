// hosting-soak: the real client (offscreen) against an in-process platform-sandbox, driven round
// after round through every flow of MainWindow (hosting with a scanned code and its poll, the
// hosted-accounts list, avatars, release, clearing an offline account, earnings, withdrawals,
// 个人中心 and its captcha), with the hosted-accounts watch looking every 2 s, for a given time.
// Every sample interval it prints one CSV line of the process's resident memory, heap in use and
// thread count, taken between two rounds when no flow is running, then a summary per quantity.
//
//   hosting-soak [--minutes N] [--sample-seconds S]     (defaults: 30 minutes, 60 seconds)

#include <QApplication>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <stdexcept>
#include <string>
#include <utility>

#include "e2e/client_harness.h"
#include "e2e/member_flows.h"
#include "log_in_to_main.h"
#include "process_probe.h"
#include "soak_series.h"

namespace {

using namespace hosting;
using Clock = std::chrono::steady_clock;

struct Options {
  double minutes = 30;
  double sampleSeconds = 60;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i + 1 < argc; i += 2) {
    char* end = nullptr;
    const double value = std::strtod(argv[i + 1], &end);
    if (end == argv[i + 1] || *end != '\0' || value <= 0)
      return false;
    if (std::strcmp(argv[i], "--minutes") == 0)
      options.minutes = value;
    else if (std::strcmp(argv[i], "--sample-seconds") == 0)
      options.sampleSeconds = value;
    else
      return false;
  }
  return argc % 2 == 1;
}

constexpr double kMiB = 1024.0 * 1024.0;

// The most threads seen while the rounds run, from a timer on the GUI thread.
class ThreadPeak {
 public:
  ThreadPeak() {
    QObject::connect(&timer_, &QTimer::timeout, [this] { Note(); });
    timer_.start(20);
  }
  void Note() { peak_ = std::max(peak_, e2e::ThreadCount()); }
  int Take() { return std::exchange(peak_, 0); }

 private:
  QTimer timer_;
  int peak_ = 0;
};

struct Run {
  soak::Series rss{"rss_mib"};
  soak::Series heap{"heap_mib"};
  soak::Series threads{"threads_idle"};
  long rounds = 0;
  long failed = 0;
};

// The sandbox keeps a session for every request that came without one (some pages are fetched
// that way), for hours: its count tells the sandbox's share of a growing heap.
void Sample(Run& run, double minute, ThreadPeak& peak, std::size_t sessions) {
  const e2e::ProcessProbe probe = e2e::ProcessProbe::Now();
  const double rss = static_cast<double>(probe.residentBytes) / kMiB;
  const double heap = static_cast<double>(probe.heapBytes) / kMiB;
  run.rss.Add(minute, rss);
  run.heap.Add(minute, heap);
  run.threads.Add(minute, probe.threads);
  std::printf("%.2f,%.1f,%.2f,%d,%d,%ld,%ld,%zu\n", minute, rss, heap, probe.threads,
              std::max(peak.Take(), probe.threads), run.rounds, run.failed, sessions);
  std::fflush(stdout);
}

void Summarise(const Run& run, double warmUpMinutes) {
  std::printf("\nquantity,first,last,max,slope_per_hour,slope_per_hour_after_%.0f_min\n",
              warmUpMinutes);
  for (const soak::Series* series : {&run.rss, &run.heap, &run.threads}) {
    std::printf("%s,%.2f,%.2f,%.2f,%.3f,%.3f\n", series->name().c_str(), series->First(),
                series->Last(), series->Max(), series->SlopePerHour(),
                series->SlopePerHour(warmUpMinutes));
  }
  std::printf("rounds,%ld\nfailed_rounds,%ld\n", run.rounds, run.failed);
}

// Every flow of MainWindow once, leaving the screen and the platform as they were.
void Round(e2e::MemberFlows& flows) {
  const std::int64_t id = flows.HostAccount();
  flows.RefreshAccounts();
  if (flows.StateOf(id) != QStringLiteral("在线"))
    throw std::runtime_error("the hosted account is not listed online");
  flows.ShowAvatarOf(id);
  flows.ReleaseCode();
  flows.DropAccount(id);
  flows.RefreshAccounts();
  if (!flows.StateOf(id).isEmpty())
    throw std::runtime_error("the dropped account is still listed");
  if (flows.QueryEarnings() == 0 || flows.QueryWithdrawals() == 0)
    throw std::runtime_error("微信业绩 or 提现操作 stayed empty");
  flows.ClickWithdrawCaptcha();
}

// A round that failed half-way may leave a code on screen: release it so the next one can start.
void Recover(e2e::MemberFlows& flows, e2e::ClientHarness& harness) {
  try {
    flows.ReleaseCode();
  } catch (const std::exception& error) {
    std::cerr << "recovery: " << error.what() << '\n';
  }
  harness.WaitWorkers();
}

// The hosted-accounts watch looks far more often than its 60 s, so that its thread and its rows
// take part in every round.
constexpr std::chrono::seconds kSoakWatchInterval{2};

int Soak(const Options& options) {
  e2e::HarnessOptions harnessOptions;
  harnessOptions.timings.watchInterval = kSoakWatchInterval;
  e2e::ClientHarness harness(harnessOptions);
  harness.Start();
  e2e::LogInToMain(harness, QStringLiteral("demo"), QStringLiteral("demo123"));
  e2e::MemberFlows flows(harness);
  ThreadPeak peak;
  Run run;
  const auto start = Clock::now();
  const auto minutesSinceStart = [&] {
    return std::chrono::duration<double, std::ratio<60>>(Clock::now() - start).count();
  };
  const auto interval = std::chrono::duration<double>(options.sampleSeconds);
  auto nextSample = start + std::chrono::duration_cast<Clock::duration>(interval);
  std::printf(
      "minute,rss_mib,heap_mib,threads_idle,threads_peak,rounds,failed_rounds,sandbox_sessions\n");
  const auto sessions = [&] { return harness.sandbox().platform().sessions.size(); };
  Sample(run, 0, peak, sessions());
  while (minutesSinceStart() < options.minutes) {
    try {
      Round(flows);
    } catch (const std::exception& error) {
      ++run.failed;
      std::cerr << "round " << run.rounds + run.failed << ": " << error.what() << '\n';
      Recover(flows, harness);
    }
    ++run.rounds;
    harness.boxes().Clear();
    if (Clock::now() >= nextSample) {
      Sample(run, minutesSinceStart(), peak, sessions());
      nextSample += std::chrono::duration_cast<Clock::duration>(interval);
    }
  }
  Summarise(run, options.minutes / 3);
  return run.failed == 0 ? EXIT_SUCCESS : EXIT_FAILURE;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::cerr << "usage: hosting-soak [--minutes N] [--sample-seconds S]\n";
    return EXIT_FAILURE;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  try {
    return Soak(options);
  } catch (const std::exception& error) {
    std::cerr << "hosting-soak: " << error.what() << '\n';
    return EXIT_FAILURE;
  }
}
