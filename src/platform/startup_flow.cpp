#include "platform/startup_flow.h"

#include <string>

#include "data/json_object.h"
#include "net/text_helpers.h"
#include "platform/captcha_flows.h"
#include "platform/platform_requests.h"
#include "settings/settings_file.h"

namespace hosting::platform {
namespace {

constexpr int kVersionPartWidth = 70;
constexpr int kNoticePartWidth = 295;

void LoadSavedCredentials(const FlowContext& context, LoginView& view) {
  view.SetUserName(settings::ReadSetting(context.settingsFile, settings::kSettingsSection,
                                         settings::kUserNameKey));
  view.SetPassword(settings::ReadSetting(context.settingsFile, settings::kSettingsSection,
                                         settings::kPasswordKey));
}

void ShowVersionAndNotice(const FlowContext& context, LoginView& view) {
  const std::string text =
      JsonText(FetchWithoutSession(context, Verb::kPost, context.endpoints.VersionApiUrl()));
  data::JsonObject answer;
  answer.Parse(text);
  if (answer.GetText("msg") != "获取成功!") {
    return;
  }
  view.AddStatusPart("版本：" + answer.GetText("data.version"), kVersionPartWidth);
  // Cut from the raw text: the notice is shown as the service wrote it, up to its first quote.
  const std::string notice = net::TextBetween(text, "notice\":\"", "\"");
  view.AddStatusPart(net::UnescapeUnicode(notice), kNoticePartWidth);
}

}  // namespace

void StartupWorker(const FlowContext& context, LoginView& view) {
  LoadSavedCredentials(context, view);
  ShowVersionAndNotice(context, view);
  OpenPlatformSession(context);
  view.SetLoginCaptchaPicture(FetchCaptcha(context, kLoginCaptchaLiteral));
  view.SetRegisterCaptchaPicture(view.LoginCaptchaPicture());
}

}  // namespace hosting::platform
