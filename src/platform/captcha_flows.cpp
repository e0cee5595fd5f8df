#include "platform/captcha_flows.h"

#include <string>

#include "platform/platform_requests.h"

namespace hosting::platform {

std::string FetchCaptcha(const FlowContext& context, std::string_view literal) {
  return FetchWithSession(context, Verb::kGet,
                          "verificationCode/generate.do?" + std::string(literal));
}

void RefreshLoginCaptcha(const FlowContext& context, LoginView& view) {
  view.SetLoginCaptchaPicture(FetchCaptcha(context, kLoginCaptchaLiteral));
}

void RefreshRegisterCaptcha(const FlowContext& context, LoginView& view) {
  view.SetRegisterCaptchaPicture(FetchCaptcha(context, "0.40040207609499046"));
}

void RefreshWithdrawCaptcha(const FlowContext& context, MainView& view) {
  view.SetWithdrawCaptchaPicture(FetchCaptcha(context, kLoginCaptchaLiteral));
}

void LoadWithdrawCaptcha(const FlowContext& context, MainView& view) {
  FetchWithSession(context, Verb::kGet, "pageController.do?tixian");
  view.SetWithdrawCaptchaPicture(FetchCaptcha(context, "0.08883326329838614"));
}

}  // namespace hosting::platform
