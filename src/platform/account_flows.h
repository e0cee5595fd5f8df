#pragma once
// The member's session: login, registration and change of password. Each runs on a worker.

#include "platform/change_password_view.h"
#include "platform/flow_context.h"
#include "platform/login_view.h"

namespace hosting::platform {

// 按钮1 "登陆" / Enter in 编辑框3. An accepted login saves the credentials when 选择框1 is
// checked, hides LoginWindow and posts the opening of MainWindow. A refusal shows "msg" (a wrong
// captcha loads a new one first); an answer without a boolean "success" (empty, non-JSON, null)
// is refused with a warning of ours.
void Login(const FlowContext& context, LoginView& view);
// 按钮2 "提交注册". The two passwords must agree before anything is sent.
void Register(const FlowContext& context, LoginView& view);
// 按钮1 "确认修改" of ChangePasswordDialog. The two passwords must agree before anything is sent
// (the dialog stays open then); otherwise the dialog closes after the answer has been shown.
void ChangePassword(const FlowContext& context, ChangePasswordView& view);

// Texts of our own, shown where the platform gives none.
inline constexpr const char* kNoLoginAnswerText =
    "登录失败：没有收到平台的有效应答，请检查网络后重试。";
inline constexpr const char* kNoRegisterAnswerText =
    "注册失败：没有收到平台的有效应答，请稍后重试。";
inline constexpr const char* kPasswordsDifferText = "两次输入的密码不一致，请重新输入。";
inline constexpr const char* kHintTitle = "提示";

}  // namespace hosting::platform
