#pragma once
// The flows' view of ChangePasswordDialog ("修改密码"). Threading and text rules: message_view.h.

#include <string>

#include "platform/message_view.h"

namespace hosting::platform {

class ChangePasswordView : public MessageView {
 public:
  virtual std::string NewPassword() = 0;       // 编辑框1 "新密码："
  virtual std::string NewPasswordAgain() = 0;  // 编辑框2 "重输入新密码："
  // Closes the dialog (its modal loop returns); a message shown before has been closed already.
  virtual void CloseDialog() = 0;
};

}  // namespace hosting::platform
