#pragma once
// The captcha pictures. Each request sends SessionCookie, so the captcha belongs to the session;
// the literal after "generate.do?" differs by call site, as the platform's pages use them.

#include "platform/flow_context.h"
#include "platform/login_view.h"
#include "platform/main_view.h"

namespace hosting::platform {

// Click on 图片框1 of LoginWindow, and after a wrong captcha on login.
void RefreshLoginCaptcha(const FlowContext& context, LoginView& view);
// Click on 图片框2 of LoginWindow.
void RefreshRegisterCaptcha(const FlowContext& context, LoginView& view);
// Click on 图片框3 of MainWindow.
void RefreshWithdrawCaptcha(const FlowContext& context, MainView& view);
// When MainWindow opens: visit the withdrawal page, then load 图片框3.
void LoadWithdrawCaptcha(const FlowContext& context, MainView& view);

// The captcha picture with the given cache-busting literal.
std::string FetchCaptcha(const FlowContext& context, std::string_view literal);
inline constexpr std::string_view kLoginCaptchaLiteral = "0.961945197493981";

}  // namespace hosting::platform
