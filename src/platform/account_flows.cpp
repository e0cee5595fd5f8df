#include "platform/account_flows.h"

#include <string>

#include "data/json_object.h"
#include "net/form_encoding.h"
#include "platform/captcha_flows.h"
#include "platform/platform_requests.h"
#include "settings/settings_file.h"

namespace hosting::platform {
namespace {

constexpr std::string_view kWrongCaptcha = "验证码错误！";

Message Warning(std::string text) {
  return {std::move(text), kHintTitle, MessageIcon::kWarning};
}

void SaveCredentials(const FlowContext& context, LoginView& view) {
  // Read from the boxes again: the values as they are now, after the answer.
  settings::WriteSetting(context.settingsFile, settings::kSettingsSection, settings::kUserNameKey,
                         view.UserName());
  settings::WriteSetting(context.settingsFile, settings::kSettingsSection, settings::kPasswordKey,
                         view.Password());
}

}  // namespace

void Login(const FlowContext& context, LoginView& view) {
  const std::string body = "account=" + net::FormValue(view.UserName()) +
                           "&password=" + net::FormValue(view.Password()) +
                           "&checkCode=" + net::FormValue(view.LoginCaptcha());
  data::JsonObject answer;
  const bool parsed =
      answer.Parse(CallPlatformApi(context, Verb::kPost, "userapi/adminUser/login.do", body));
  // Only an answer that says how the login went counts: a dead platform, or a "success" that is
  // null, a number or an object, is no acceptance.
  if (!parsed || answer.TypeOf("success") != data::JsonObject::kBoolean) {
    view.ShowMessage(Warning(kNoLoginAnswerText));
    return;
  }
  if (answer.GetText("success") != "0") {
    if (view.RememberChecked()) {
      SaveCredentials(context, view);
    }
    view.HideWindow();
    view.PostOpenMainWindow();
    return;
  }
  const std::string message = answer.GetText("msg");
  if (message == kWrongCaptcha) {
    RefreshLoginCaptcha(context, view);
  }
  view.ShowMessage(Warning(message));
}

void Register(const FlowContext& context, LoginView& view) {
  const std::string password = view.RegisterPassword();
  if (password != view.RegisterPasswordAgain()) {
    view.ShowMessage(Warning(kPasswordsDifferText));
    return;
  }
  const std::string body = "account=" + net::FormValue(view.RegisterUserName()) +
                           "&password=" + net::FormValue(password) +
                           "&key=580213746691&checkCode=" + net::FormValue(view.RegisterCaptcha());
  const std::string text =
      JsonText(FetchWithSession(context, Verb::kPost, "userapi/adminUser/register.do", body));
  if (text.find("注册成功") != std::string::npos) {
    view.ShowMessage({"注册成功", {}, MessageIcon::kInformation});
    return;
  }
  data::JsonObject answer;
  answer.Parse(text);
  const std::string message = answer.GetText("msg");
  view.ShowMessage(Warning(message.empty() ? kNoRegisterAnswerText : message));
}

void ChangePassword(const FlowContext& context, ChangePasswordView& view) {
  const std::string password = view.NewPassword();
  if (password != view.NewPasswordAgain()) {
    view.ShowMessage(Warning(kPasswordsDifferText));
    return;
  }
  const std::string text = CallPlatformApi(context, Verb::kPost, "userapi/adminUser/changepwd.do",
                                           "password=" + net::FormValue(password));
  data::JsonObject answer;
  answer.Parse(text);
  view.ShowMessage(
      PlainMessage(answer.GetText("msg") == "成功修改密码" ? "成功修改密码!" : ShownAnswer(text)));
  view.CloseDialog();
}

}  // namespace hosting::platform
