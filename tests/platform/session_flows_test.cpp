#include <gtest/gtest.h>

#include "flow_test_bed.h"
#include "net/codec.h"
#include "platform/account_flows.h"
#include "platform/captcha_flows.h"
#include "platform/platform_requests.h"
#include "settings/settings_file.h"

namespace hosting::platform::testing {
namespace {

using testing_support::FileBytes;
using Events = std::vector<std::string>;

Message Warning(const std::string& text) {
  return {text, kHintTitle, MessageIcon::kWarning};
}

TEST(LoginTest, OnlyTheRightCaptchaLogsInAndOnlyRememberSaves) {
  FlowTestBed bed;
  bed.platform().members.Register("li", "a&b+c=d", 0);
  settings::WriteSetting(bed.settingsFile, settings::kSettingsSection, settings::kUserNameKey,
                         "old");
  const std::string before = FileBytes(bed.settingsFile);
  OpenPlatformSession(bed.context);
  const std::string saved = net::Utf8ToGbk("[【配置】]\r\n用户名=li\r\n用户密码=a&b+c=d\r\n");
  const struct {
    std::string password, captcha;
    bool remember;
    Events events;
    std::string file;
  } kCases[] = {
      // A wrong captcha loads a new one before the warning.
      {"a&b+c=d", "0000", true, {"图片框1 picture", MessageEvent(Warning("验证码错误！"))}, before},
      {"a&b+c=d", kCaptcha, false, {"LoginWindow hidden", "标签1 feedback"}, before},
      // The password's &, + and = arrive intact and are saved as GBK.
      {"a&b+c=d", kCaptcha, true, {"LoginWindow hidden", "标签1 feedback"}, saved},
  };
  for (const auto& c : kCases) {
    FetchCaptcha(bed.context, kLoginCaptchaLiteral);  // an accepted login spends the captcha
    bed.rec.Clear();
    bed.Type({{"编辑框1", "li"},
              {"编辑框2", c.password},
              {"编辑框3", c.captcha},
              {"选择框1", c.remember ? "1" : "0"}});
    Login(bed.context, bed.loginView);
    EXPECT_EQ(bed.rec.Events(), c.events) << c.password << " " << c.captcha;
    EXPECT_EQ(FileBytes(bed.settingsFile), c.file);
  }
}

}  // namespace
}  // namespace hosting::platform::testing
