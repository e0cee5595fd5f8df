#pragma once
// What every window and dialog can do for a flow: show a message box. The base of the four view
// interfaces that the flows talk to instead of widgets.
//
// Threading contract of every view interface in this folder: any method may be called from any
// thread. The Qt implementation runs each call on the GUI thread; reads and ShowMessage block until
// done (a message box blocks until the member closes it), writes may be queued but keep the order
// of one calling thread. Flows never run on the GUI thread, so a blocking call cannot deadlock. A
// call that arrives after its window is gone does nothing; reads then give empty values. All texts
// are UTF-8; pictures are the bytes of an image file (BMP, PNG, JPEG, GIF), where an empty byte
// string clears the picture.

#include <string>
#include <utility>

namespace hosting::platform {

enum class MessageIcon {
  kNone,
  kInformation,
  kWarning,
  kStop,  // the error report of the QR generator
};

struct Message {
  std::string text;
  std::string title;  // empty: the application's own title
  MessageIcon icon = MessageIcon::kNone;

  bool operator==(const Message&) const = default;
};

// A message under the application's own title, without an icon.
inline Message PlainMessage(std::string text) {
  return {std::move(text), {}, MessageIcon::kNone};
}

class MessageView {
 public:
  virtual ~MessageView() = default;
  // A modal message box owned by this window; returns when the member has closed it.
  virtual void ShowMessage(const Message& message) = 0;
};

}  // namespace hosting::platform
