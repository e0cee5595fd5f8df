#pragma once
// Message boxes for tests: each message is recorded with the name of its owner window instead of
// being shown, and the call returns at once (the member "closes" it immediately).

#include <QCoreApplication>
#include <QThread>
#include <QWidget>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "app/message_boxes.h"

namespace hosting::testing_support {

struct ShownMessage {
  std::string owner;  // objectName of the owner window
  platform::Message message;
  bool onGuiThread = false;
};

class RecordingMessageBoxes final : public app::MessageBoxes {
 public:
  // Runs on the GUI thread at the moment a message is shown, before it is recorded.
  void SetOnShow(std::function<void()> onShow) { onShow_ = std::move(onShow); }

  void Show(QWidget* owner, const platform::Message& message) override {
    if (onShow_)
      onShow_();
    const std::lock_guard lock(mutex_);
    shown_.push_back(
        {owner != nullptr ? owner->window()->objectName().toStdString() : std::string(), message,
         QThread::currentThread() == QCoreApplication::instance()->thread()});
  }
  std::vector<ShownMessage> Shown() const {
    const std::lock_guard lock(mutex_);
    return shown_;
  }
  std::size_t Count() const {
    const std::lock_guard lock(mutex_);
    return shown_.size();
  }
  // Forgets what was shown so far (a long run would otherwise keep every message).
  void Clear() {
    const std::lock_guard lock(mutex_);
    shown_ = {};
  }

 private:
  std::function<void()> onShow_;
  mutable std::mutex mutex_;
  std::vector<ShownMessage> shown_;
};

}  // namespace hosting::testing_support
