#pragma once
// Running code on the GUI thread, which owns every widget. A call made on the GUI thread runs at
// once; from any other thread it is handed over: OnGuiThread waits for the result (reads, message
// boxes), PostToGuiThread queues it and returns. Both go through the application object's event
// queue, so the calls of one thread keep their order. Never call OnGuiThread from a thread that the
// GUI thread is waiting for. Without an application object (after it is gone) nothing runs and
// OnGuiThread gives a value-initialised result.

#include <QCoreApplication>
#include <QMetaObject>
#include <QThread>
#include <type_traits>
#include <utility>

namespace hosting::app {

inline bool IsGuiThread() {
  const QCoreApplication* app = QCoreApplication::instance();
  return app != nullptr && QThread::currentThread() == app->thread();
}

template <typename Call>
std::invoke_result_t<Call> OnGuiThread(Call call) {
  using Result = std::invoke_result_t<Call>;
  if (IsGuiThread())
    return call();
  QCoreApplication* app = QCoreApplication::instance();
  if constexpr (std::is_void_v<Result>) {
    if (app != nullptr)
      QMetaObject::invokeMethod(app, std::move(call), Qt::BlockingQueuedConnection);
  } else {
    Result result{};
    if (app != nullptr) {
      QMetaObject::invokeMethod(
          app, [&result, &call] { result = call(); }, Qt::BlockingQueuedConnection);
    }
    return result;
  }
}

template <typename Call>
void PostToGuiThread(Call call) {
  if (IsGuiThread()) {
    call();
    return;
  }
  if (QCoreApplication* app = QCoreApplication::instance()) {
    QMetaObject::invokeMethod(app, std::move(call), Qt::QueuedConnection);
  }
}

}  // namespace hosting::app
