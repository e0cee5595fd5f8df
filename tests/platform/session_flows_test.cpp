#include <gtest/gtest.h>

#include "flow_test_bed.h"
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

// A remembered login's datas.ini is the client's journey's, a password's &, + and = the member's
// journey's. Here: only the right captcha logs in, and nothing is saved without 选择框1.
TEST(LoginTest, AWrongCaptchaLoadsANewOneAndWithoutRememberNothingIsSaved) {
  FlowTestBed bed;
  bed.platform().members.Register("li", "a&b+c=d", 0);
  settings::WriteSetting(bed.settingsFile, settings::kSettingsSection, settings::kUserNameKey,
                         "old");
  const std::string before = FileBytes(bed.settingsFile);
  OpenPlatformSession(bed.context);
  const struct {
    std::string captcha;
    bool remember;
    Events events;
  } kCases[] = {
      // A wrong captcha loads a new one before the warning.
      {"0000", true, {"图片框1 picture", MessageEvent(Warning("验证码错误！"))}},
      {kCaptcha, false, {"LoginWindow hidden", "标签1 feedback"}},
  };
  for (const auto& c : kCases) {
    FetchCaptcha(bed.context, kLoginCaptchaLiteral);  // an accepted login spends the captcha
    bed.rec.Clear();
    bed.Type({{"编辑框1", "li"},
              {"编辑框2", "a&b+c=d"},
              {"编辑框3", c.captcha},
              {"选择框1", c.remember ? "1" : "0"}});
    Login(bed.context, bed.loginView);
    EXPECT_EQ(bed.rec.Events(), c.events) << c.captcha;
    EXPECT_EQ(FileBytes(bed.settingsFile), before);
  }
}

}  // namespace
}  // namespace hosting::platform::testing
