#pragma once
// How a view reaches its window from any thread: reads and message boxes wait for the GUI thread,
// writes are queued in order. Once the window is gone, writes do nothing and reads give empty
// values.

#include <QPointer>
#include <type_traits>

#include "app/gui_thread.h"
#include "app/message_boxes.h"

namespace hosting::app {

template <typename Window>
class WindowCalls {
 public:
  WindowCalls(Window* window, MessageBoxes& boxes) : window_(window), boxes_(boxes) {}

  template <typename Read>
  auto Get(Read read) const {
    using Result = std::invoke_result_t<Read, Window&>;
    return OnGuiThread(
        [window = window_, read]() -> Result { return window ? read(*window) : Result{}; });
  }

  template <typename Write>
  void Set(Write write) const {
    PostToGuiThread([window = window_, write] {
      if (window)
        write(*window);
    });
  }

  void ShowMessage(const platform::Message& message) const {
    OnGuiThread([window = window_, &boxes = boxes_, &message] {
      if (window)
        boxes.Show(window, message);
    });
  }

 private:
  QPointer<Window> window_;
  MessageBoxes& boxes_;
};

}  // namespace hosting::app
