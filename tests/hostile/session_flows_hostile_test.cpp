// The flows of LoginWindow and ChangePasswordDialog against every kind of hostile answer.
#include <gtest/gtest.h>

#include "app/settings_file.h"
#include "hostile/hostile_fixture.h"
#include "platform/account_flows.h"
#include "platform/captcha_flows.h"
#include "platform/platform_requests.h"
#include "platform/startup_flow.h"

namespace hosting::hostile {
namespace {

using platform::Message;
using platform::MessageIcon;
using platform::PlainMessage;
using platform::testing::RecordingChangePasswordView;
using H = Hostility;

Message Warning(std::string text) {
  return {std::move(text), platform::kHintTitle, MessageIcon::kWarning};
}

using StartupTest = HostileFlowTest;

// The start-up worker reads datas.ini, shows nothing of a bad version answer and puts whatever
// the captcha request gave into both pictures.
TEST_P(StartupTest, ShowsNoVersionOfABadAnswerAndKeepsTheSavedCredentials) {
  bed.cookie.Replace("");
  sessionBefore = "";  // the session opens afresh
  platform::StartupWorker(bed.context, bed.loginView);
  EXPECT_EQ(bed.loginView.UserName(), "老用户");
  EXPECT_EQ(bed.loginView.Password(), "old pw");
  const std::vector<std::pair<std::string, int>> accepted{{"版本：9.9.9", 70}, {"升级", 295}};
  EXPECT_EQ(bed.loginView.StatusParts(), Is({H::kCookieFlood}) ? accepted : decltype(accepted){});
  EXPECT_EQ(bed.loginView.RegisterCaptchaPicture(), bed.loginView.LoginCaptchaPicture());
  if (Is({H::kRefused, H::kSilent})) {
    EXPECT_EQ(bed.loginView.LoginCaptchaPicture(), "");
  }
  EXPECT_TRUE(bed.loginView.Messages().empty());
}

using LoginTest = HostileFlowTest;

TEST_P(LoginTest, OnlyAWholeAcceptanceLogsInAndSaves) {
  bed.loginView.SetInputs(
      {.userName = "新用户", .password = "pw&1", .captcha = "c", .remember = true});
  platform::Login(bed.context, bed.loginView);
  if (Is({H::kCookieFlood})) {
    settingsMayChange = true;
    EXPECT_EQ(bed.log.CountOf("标签1 feedback"), 1);
    EXPECT_TRUE(bed.loginView.Messages().empty());
    EXPECT_EQ(app::ReadSetting(bed.settingsFile(), app::kSettingsSection, app::kUserNameKey),
              "新用户");
    EXPECT_EQ(app::ReadSetting(bed.settingsFile(), app::kSettingsSection, app::kPasswordKey),
              "pw&1");
  } else {
    const std::string refusal = RefusalText(kind());
    const std::vector<Message> expected{
        Warning(refusal.empty() || Is({H::kNumbersForTexts, H::kObjectForList})
                    ? platform::kNoLoginAnswerText
                    : refusal)};
    EXPECT_EQ(bed.loginView.Messages(), expected);
    EXPECT_EQ(bed.log.CountOf("标签1 feedback"), 0);
  }
}

using RegisterTest = HostileFlowTest;

TEST_P(RegisterTest, AnnouncesOnlyAWholeAcceptance) {
  bed.loginView.SetInputs({.registerUserName = "u",
                           .registerPassword = "p",
                           .registerPasswordAgain = "p",
                           .registerCaptcha = "c"});
  platform::Register(bed.context, bed.loginView);
  const std::string refusal = RefusalText(kind());
  const Message expected =
      Is({H::kCookieFlood}) ? Message{"注册成功", "", MessageIcon::kInformation}
                            : Warning(refusal.empty() ? platform::kNoRegisterAnswerText : refusal);
  EXPECT_EQ(bed.loginView.Messages(), std::vector<Message>{expected});
}

using CaptchaTest = HostileFlowTest;

// Each captcha flow puts what came into its picture (empty when nothing came) and says nothing.
TEST_P(CaptchaTest, EveryPictureTakesWhatCameAndNothingIsSaid) {
  platform::RefreshLoginCaptcha(bed.context, bed.loginView);
  platform::RefreshRegisterCaptcha(bed.context, bed.loginView);
  platform::RefreshWithdrawCaptcha(bed.context, *bed.mainView);
  const std::string refreshed = bed.mainView->WithdrawCaptchaPicture();
  platform::LoadWithdrawCaptcha(bed.context, *bed.mainView);
  for (const std::string& picture :
       {bed.loginView.LoginCaptchaPicture(), bed.loginView.RegisterCaptchaPicture(), refreshed,
        bed.mainView->WithdrawCaptchaPicture()}) {
    if (Is({H::kRefused, H::kSilent})) {
      EXPECT_EQ(picture, "");
    } else if (Is({H::kCookieFlood})) {
      EXPECT_EQ(picture, PngPicture());
    } else if (Is({H::kHugeBody})) {
      EXPECT_EQ(picture.size(), kHugeBodyBytes);
    }
  }
  EXPECT_TRUE(bed.loginView.Messages().empty());
  EXPECT_TRUE(MainMessages().empty());
}

using ChangePasswordTest = HostileFlowTest;

// Anything but the confirmation shows the answer as it came, at most a message box's worth of
// it, and the dialog closes either way.
TEST_P(ChangePasswordTest, ShowsTheAnswerBoundedAndCloses) {
  RecordingChangePasswordView dialog(bed.log, "新密码", "新密码");
  platform::ChangePassword(bed.context, dialog);
  ExpectAnswerShownAndClosed(dialog.Messages(), "成功修改密码!");
}

HOSTILE_INSTANTIATE(StartupTest);
HOSTILE_INSTANTIATE(LoginTest);
HOSTILE_INSTANTIATE(RegisterTest);
HOSTILE_INSTANTIATE(CaptchaTest);
HOSTILE_INSTANTIATE(ChangePasswordTest);

// The bound on shown answers never splits a character.
TEST(ShownAnswerTest, CutsLongAnswersAtACharacterBoundary) {
  EXPECT_EQ(platform::ShownAnswer("短"), "短");
  std::string text;
  while (text.size() <= platform::kShownAnswerBytes) {
    text += "汉";
  }
  const std::string shown = platform::ShownAnswer("x" + text);
  EXPECT_TRUE(shown.ends_with("汉…")) << shown.substr(shown.size() - 10);
  EXPECT_LE(shown.size(), platform::kShownAnswerBytes + std::string("…").size());
  EXPECT_EQ((shown.size() - 1 - std::string("…").size()) % 3, 0U);
}

}  // namespace
}  // namespace hosting::hostile
