#include "app/qt_dialog_views.h"

#include "app/qt_text.h"

namespace hosting::app {

using ui::BindAlipayDialog;
using ui::ChangePasswordDialog;

QtBindAlipayView::QtBindAlipayView(BindAlipayDialog& dialog, MessageBoxes& boxes)
    : calls_(&dialog, boxes) {}

void QtBindAlipayView::ShowMessage(const platform::Message& message) {
  calls_.ShowMessage(message);
}
std::string QtBindAlipayView::RealName() {
  return calls_.Get([](const BindAlipayDialog& d) { return ToUtf8(d.realName()); });
}
std::string QtBindAlipayView::AlipayAccount() {
  return calls_.Get([](const BindAlipayDialog& d) { return ToUtf8(d.account()); });
}
void QtBindAlipayView::CloseDialog() {
  calls_.Set([](BindAlipayDialog& d) { d.accept(); });
}

QtChangePasswordView::QtChangePasswordView(ChangePasswordDialog& dialog, MessageBoxes& boxes)
    : calls_(&dialog, boxes) {}

void QtChangePasswordView::ShowMessage(const platform::Message& message) {
  calls_.ShowMessage(message);
}
std::string QtChangePasswordView::NewPassword() {
  return calls_.Get([](const ChangePasswordDialog& d) { return ToUtf8(d.newPassword()); });
}
std::string QtChangePasswordView::NewPasswordAgain() {
  return calls_.Get([](const ChangePasswordDialog& d) { return ToUtf8(d.newPasswordAgain()); });
}
void QtChangePasswordView::CloseDialog() {
  calls_.Set([](ChangePasswordDialog& d) { d.accept(); });
}

}  // namespace hosting::app
