#pragma once
// The seam through which every flow message reaches the member. The program shows modal message
// boxes; tests put a recorder in their place and read what would have been shown.

#include <QWidget>

#include "platform/message_view.h"

namespace hosting::app {

// The title of a message box whose message names none.
inline constexpr const char* kApplicationTitle = "Lumio微信托管平台";

class MessageBoxes {
 public:
  virtual ~MessageBoxes() = default;
  // Shows `message` over `owner` and returns once the member has closed it. GUI thread only.
  virtual void Show(QWidget* owner, const platform::Message& message) = 0;
};

// QMessageBox with the message's icon, its title (or kApplicationTitle) and one OK button.
class ModalMessageBoxes final : public MessageBoxes {
 public:
  void Show(QWidget* owner, const platform::Message& message) override;
};

}  // namespace hosting::app
