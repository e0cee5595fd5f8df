#pragma once
// The flows' view of LoginWindow ("首页"): the login page, the registration page and the status
// bar. Threading and text rules: message_view.h.

#include <string>

#include "platform/message_view.h"

namespace hosting::platform {

class LoginView : public MessageView {
 public:
  // Login page.
  virtual std::string UserName() = 0;                     // 编辑框1
  virtual void SetUserName(const std::string& text) = 0;  // 编辑框1
  virtual std::string Password() = 0;                     // 编辑框2
  virtual void SetPassword(const std::string& text) = 0;  // 编辑框2
  virtual std::string LoginCaptcha() = 0;                 // 编辑框3 (captcha answer)
  virtual bool RememberChecked() = 0;                     // 选择框1 "记住用户与密码"
  // 图片框1, the login captcha picture; LoginCaptchaPicture reads back the bytes last set.
  virtual void SetLoginCaptchaPicture(const std::string& image) = 0;
  virtual std::string LoginCaptchaPicture() = 0;

  // Registration page.
  virtual std::string RegisterUserName() = 0;       // 编辑框4
  virtual std::string RegisterPassword() = 0;       // 编辑框5
  virtual std::string RegisterPasswordAgain() = 0;  // 编辑框6 (repeat password)
  virtual std::string RegisterCaptcha() = 0;        // 编辑框7
  virtual void SetRegisterCaptchaPicture(const std::string& image) = 0;  // 图片框2

  // 状态条1: appends a part (plain style, no icon) of the given width in pixels.
  virtual void AddStatusPart(const std::string& text, int width) = 0;

  // The window's visible property set false (after an accepted login).
  virtual void HideWindow() = 0;
  // PostFeedback(标签1, 0, 0): asks the GUI thread to open MainWindow, modeless, without waiting.
  virtual void PostOpenMainWindow() = 0;
};

}  // namespace hosting::platform
