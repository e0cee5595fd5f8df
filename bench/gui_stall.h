#pragma once
// What the GUI benchmarks share: the offscreen application, and the GUI thread's longest stall
// measured as the largest gap between two ticks of a 1 ms timer on it. On a busy machine a gap
// also holds the time the thread waited for a processor, so the meter notes as well the most
// processor time the GUI thread itself spent between two ticks: the work that stalled it.

#include <time.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>

// The process's QApplication, on the offscreen platform unless another one is asked for.
inline QApplication& BenchApplication() {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "hosting_gui_bench";
  static char* argv[] = {name, nullptr};
  static QApplication application(argc, argv);
  return application;
}

// The largest gap between two ticks of a 1 ms timer on the GUI thread while it lives.
class StallMeter {
 public:
  StallMeter() {
    clock_.start();
    lastBusy_ = ThreadCpuNs();
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      const qint64 now = clock_.nsecsElapsed();
      const qint64 busy = ThreadCpuNs();
      longest_ = std::max(longest_, now - last_);
      longestBusy_ = std::max(longestBusy_, busy - lastBusy_);
      last_ = now;
      lastBusy_ = busy;
    });
    timer_.start(1);
  }
  double LongestMs() const { return static_cast<double>(longest_) / 1e6; }
  double LongestBusyMs() const { return static_cast<double>(longestBusy_) / 1e6; }

 private:
  // Processor time of the calling (GUI) thread.
  static qint64 ThreadCpuNs() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<qint64>(now.tv_sec) * 1000000000 + now.tv_nsec;
  }

  QElapsedTimer clock_;
  QTimer timer_;
  qint64 last_ = 0;
  qint64 longest_ = 0;
  qint64 lastBusy_ = 0;
  qint64 longestBusy_ = 0;
};
