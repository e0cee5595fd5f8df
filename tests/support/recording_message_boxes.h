#pragma once
// Message boxes recorded with their owner window's name instead of shown; each returns at once.

#include <QCoreApplication>
#include <QThread>

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
