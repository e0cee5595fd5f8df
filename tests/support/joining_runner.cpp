#include "support/joining_runner.h"

#include <QCoreApplication>
#include <QTest>

namespace hosting::testing_support {

JoiningRunner::~JoiningRunner() {
  WaitIdle(std::chrono::seconds(60));
  JoinAll();
}

void JoiningRunner::RunInBackground(std::function<void()> task) {
  ++running_;
  const std::lock_guard lock(mutex_);
  threads_.emplace_back([this, task = std::move(task)] {
    task();
    --running_;
  });
}

bool JoiningRunner::WaitIdle(std::chrono::milliseconds limit) {
  const bool idle = QCoreApplication::instance() != nullptr
                        ? QTest::qWaitFor([this] { return running_.load() == 0; },
                                          static_cast<int>(limit.count()))
                        : running_.load() == 0;
  if (idle)
    JoinAll();
  return idle;
}

void JoiningRunner::JoinAll() {
  std::vector<std::thread> threads;
  {
    const std::lock_guard lock(mutex_);
    threads.swap(threads_);
  }
  for (std::thread& thread : threads)
    thread.join();
  // Writes the workers queued for the GUI thread before they ended.
  if (QCoreApplication::instance() != nullptr)
    QCoreApplication::sendPostedEvents();
}

}  // namespace hosting::testing_support
