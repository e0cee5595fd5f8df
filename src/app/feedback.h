#pragma once
// PostFeedback(label, p1, p2): queues a feedback message for `label`; the label's window handles it
// on the GUI thread (ui/feedback_event.h). Returns at once, from any thread.

#include <QObject>

namespace hosting::app {

void PostFeedback(QObject& label, qintptr p1, qintptr p2);

}  // namespace hosting::app
