#pragma once
// The flows' view of BindAlipayDialog ("绑定支付宝"). Threading and text rules: message_view.h.

#include <string>

#include "platform/message_view.h"

namespace hosting::platform {

class BindAlipayView : public MessageView {
 public:
  virtual std::string RealName() = 0;       // 编辑框1 "真实姓名"
  virtual std::string AlipayAccount() = 0;  // 编辑框2 "支付宝账号"
  // Closes the dialog (its modal loop returns); a message shown before has been closed already.
  virtual void CloseDialog() = 0;
};

}  // namespace hosting::platform
