#include "app/feedback.h"

#include <QCoreApplication>

#include "ui/feedback_event.h"

namespace hosting::app {

void PostFeedback(QObject& label, qintptr p1, qintptr p2) {
  QCoreApplication::postEvent(&label, new ui::FeedbackEvent(p1, p2));
}

}  // namespace hosting::app
