#pragma once
// The feedback message a worker posts to a label (PostFeedback): the label's window handles it on
// the GUI thread, in the order posted, without the worker waiting.

#include <QEvent>
#include <QtGlobal>

namespace hosting::ui {

class FeedbackEvent : public QEvent {
 public:
  static QEvent::Type Type();

  FeedbackEvent(qintptr p1, qintptr p2) : QEvent(Type()), p1_(p1), p2_(p2) {}
  qintptr p1() const { return p1_; }
  qintptr p2() const { return p2_; }

 private:
  qintptr p1_;
  qintptr p2_;
};

}  // namespace hosting::ui
