#pragma once
// LoginView over the Qt LoginWindow; callable from any thread (see window_calls.h).

#include <QPointer>

#include "app/window_calls.h"
#include "platform/login_view.h"
#include "ui/login_window.h"

namespace hosting::app {

class QtLoginView final : public platform::LoginView {
 public:
  QtLoginView(ui::LoginWindow& window, MessageBoxes& boxes);

  void ShowMessage(const platform::Message& message) override;
  std::string UserName() override;
  void SetUserName(const std::string& text) override;
  std::string Password() override;
  void SetPassword(const std::string& text) override;
  std::string LoginCaptcha() override;
  bool RememberChecked() override;
  void SetLoginCaptchaPicture(const std::string& image) override;
  std::string LoginCaptchaPicture() override;
  std::string RegisterUserName() override;
  std::string RegisterPassword() override;
  std::string RegisterPasswordAgain() override;
  std::string RegisterCaptcha() override;
  void SetRegisterCaptchaPicture(const std::string& image) override;
  void AddStatusPart(const std::string& text, int width) override;
  void HideWindow() override;
  void PostOpenMainWindow() override;

 private:
  WindowCalls<ui::LoginWindow> calls_;
  QPointer<QObject> feedbackLabel_;
};

}  // namespace hosting::app
