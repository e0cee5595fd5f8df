#pragma once
// BindAlipayView and ChangePasswordView over their Qt dialogs; callable from any thread (see
// window_calls.h). A worker may outlive its dialog: the calls then do nothing.

#include "app/window_calls.h"
#include "platform/bind_alipay_view.h"
#include "platform/change_password_view.h"
#include "ui/bind_alipay_dialog.h"
#include "ui/change_password_dialog.h"

namespace hosting::app {

class QtBindAlipayView final : public platform::BindAlipayView {
 public:
  QtBindAlipayView(ui::BindAlipayDialog& dialog, MessageBoxes& boxes);

  void ShowMessage(const platform::Message& message) override;
  std::string RealName() override;
  std::string AlipayAccount() override;
  void CloseDialog() override;

 private:
  WindowCalls<ui::BindAlipayDialog> calls_;
};

class QtChangePasswordView final : public platform::ChangePasswordView {
 public:
  QtChangePasswordView(ui::ChangePasswordDialog& dialog, MessageBoxes& boxes);

  void ShowMessage(const platform::Message& message) override;
  std::string NewPassword() override;
  std::string NewPasswordAgain() override;
  void CloseDialog() override;

 private:
  WindowCalls<ui::ChangePasswordDialog> calls_;
};

}  // namespace hosting::app
