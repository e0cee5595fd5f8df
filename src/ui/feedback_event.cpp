#include "ui/feedback_event.h"

namespace hosting::ui {

QEvent::Type FeedbackEvent::Type() {
  static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
  return type;
}

}  // namespace hosting::ui
