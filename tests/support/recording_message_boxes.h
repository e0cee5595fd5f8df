#pragma once
// Message boxes for tests: each message is recorded with its owner window's name instead of being
// shown, and the call returns at once (the member "closes" it immediately).

#include <QCoreApplication>
#include <QThread>
#include <QWidget>

#include "app/message_boxes.h"
#include "support/recorder.h"

namespace hosting::testing_support {

class RecordingMessageBoxes final : public app::MessageBoxes {
 public:
  void Show(QWidget* owner, const platform::Message& message) override {
    recorder_.Show({owner != nullptr ? owner->window()->objectName().toStdString() : std::string(),
                    message, QThread::currentThread() == QCoreApplication::instance()->thread()});
  }
  std::vector<ShownMessage> Shown() const { return recorder_.Shown(); }
  std::size_t Count() const { return Shown().size(); }
  void Clear() { recorder_.Clear(); }

 private:
  Recorder recorder_;
};

}  // namespace hosting::testing_support
