// Start-up, login, registration and change of password against the sandbox.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "app/settings_file.h"
#include "flow_test_bed.h"
#include "net/codec.h"
#include "platform/account_flows.h"
#include "platform/captcha_flows.h"
#include "platform/platform_requests.h"
#include "platform/startup_flow.h"

namespace hosting::platform::testing {
namespace {

std::string FileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool IsImage(const std::string& bytes) {
  return bytes.starts_with("BM") || bytes.starts_with("\x89PNG") || bytes.starts_with("GIF8") ||
         bytes.starts_with("\xFF\xD8");
}

Message Warning(const std::string& text) {
  return {text, "提示", MessageIcon::kWarning};
}

TEST(StartupWorkerTest, FillsSavedCredentialsStatusBarSessionAndBothCaptchas) {
  sandbox::SandboxConfig config;
  config.version = "0.9.1";  // older than us: shown as it is
  config.notice = "新版本\"已发布";
  FlowTestBed bed(config);
  app::WriteSetting(bed.settingsFile(), app::kSettingsSection, app::kUserNameKey, "张三");
  app::WriteSetting(bed.settingsFile(), app::kSettingsSection, app::kPasswordKey, "密码a&b");

  StartupWorker(bed.context, bed.loginView);

  EXPECT_EQ(bed.loginView.UserName(), "张三");
  EXPECT_EQ(bed.loginView.Password(), "密码a&b");
  // The notice is cut at its first (escaped) quote.
  const std::vector<std::pair<std::string, int>> parts{{"版本：0.9.1", 70}, {"新版本\\", 295}};
  EXPECT_EQ(bed.loginView.StatusParts(), parts);
  EXPECT_NE(bed.cookie.Read().find("JSESSIONID="), std::string::npos);
  const std::string picture = bed.loginView.LoginCaptchaPicture();
  EXPECT_TRUE(IsImage(picture));
  EXPECT_EQ(bed.loginView.RegisterCaptchaPicture(), picture);
  // The captcha belongs to the session: a login with it is accepted.
  ASSERT_TRUE(bed.platform().members.Register("zhang", "pw", 0));
  bed.loginView.SetInputs({.userName = "zhang", .password = "pw", .captcha = kCaptcha});
  Login(bed.context, bed.loginView);
  EXPECT_EQ(bed.log.CountOf("标签1 feedback"), 1);
}

TEST(StartupWorkerTest, WithoutSettingsOrVersionServiceStillOpensTheSession) {
  FlowTestBed bed;
  bed.context.endpoints.versionServiceUrl = "http://127.0.0.1:1";  // nothing listens there
  StartupWorker(bed.context, bed.loginView);
  EXPECT_EQ(bed.loginView.UserName(), "");
  EXPECT_EQ(bed.loginView.Password(), "");
  EXPECT_TRUE(bed.loginView.StatusParts().empty());
  EXPECT_TRUE(IsImage(bed.loginView.LoginCaptchaPicture()));
  EXPECT_FALSE(std::filesystem::exists(bed.settingsFile()));
}

class LoginTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(bed.platform().members.Register("li", "a&b+c=d", 0));
    OpenPlatformSession(bed.context);
    FetchCaptcha(bed.context, kLoginCaptchaLiteral);
  }
  void LogIn(const std::string& password, const std::string& captcha, bool remember) {
    bed.loginView.SetInputs(
        {.userName = "li", .password = password, .captcha = captcha, .remember = remember});
    Login(bed.context, bed.loginView);
  }
  FlowTestBed bed;
};

TEST_F(LoginTest, WrongCaptchaLoadsANewOneBeforeTheWarning) {
  LogIn("a&b+c=d", "0000", true);
  const std::vector<std::string> expected{"图片框1 picture", MessageEvent(Warning("验证码错误！"))};
  EXPECT_EQ(bed.log.Events(), expected);
  EXPECT_FALSE(std::filesystem::exists(bed.settingsFile()));
}

TEST_F(LoginTest, RefusedPasswordShowsThePlatformsMessageOnly) {
  LogIn("wrong", kCaptcha, true);
  const std::vector<std::string> expected{MessageEvent(Warning("用户名或密码错误"))};
  EXPECT_EQ(bed.log.Events(), expected);
}

TEST_F(LoginTest, AcceptedLoginWithRememberSavesBothKeysInGbkAndOpensMainWindow) {
  LogIn("a&b+c=d", kCaptcha, true);  // the password's &, + and = arrive intact
  const std::vector<std::string> expected{"LoginWindow hidden", "标签1 feedback"};
  EXPECT_EQ(bed.log.Events(), expected);
  EXPECT_EQ(FileBytes(bed.settingsFile()),
            net::Utf8ToGbk("[【配置】]\r\n用户名=li\r\n用户密码=a&b+c=d\r\n"));
}

TEST_F(LoginTest, AcceptedLoginWithoutRememberLeavesTheFileAsItWas) {
  app::WriteSetting(bed.settingsFile(), app::kSettingsSection, app::kUserNameKey, "old");
  const std::string before = FileBytes(bed.settingsFile());
  LogIn("a&b+c=d", kCaptcha, false);
  EXPECT_EQ(bed.log.CountOf("标签1 feedback"), 1);
  EXPECT_EQ(FileBytes(bed.settingsFile()), before);
}

TEST_F(LoginTest, NoUsableAnswerIsRefusedNotTakenAsSuccess) {
  bed.UsePlatform("http://127.0.0.1:1");
  LogIn("a&b+c=d", kCaptcha, true);
  CannedPlatform html("<html>maintenance</html>");
  bed.UsePlatform(html.BaseUrl());
  LogIn("a&b+c=d", kCaptcha, true);
  const std::vector<std::string> expected(2, MessageEvent(Warning(kNoLoginAnswerText)));
  EXPECT_EQ(bed.log.Events(), expected);
  EXPECT_FALSE(std::filesystem::exists(bed.settingsFile()));
}

class RegisterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    OpenPlatformSession(bed.context);
    RefreshRegisterCaptcha(bed.context, bed.loginView);
  }
  void RegisterAs(const std::string& account, const std::string& password,
                  const std::string& again) {
    bed.loginView.SetInputs({.registerUserName = account,
                             .registerPassword = password,
                             .registerPasswordAgain = again,
                             .registerCaptcha = kCaptcha});
    Register(bed.context, bed.loginView);
  }
  FlowTestBed bed;
};

TEST_F(RegisterTest, AcceptedRegistrationIsAnnouncedAndTheMemberCanLogIn) {
  RegisterAs("王五", "pw 1%", "pw 1%");
  EXPECT_EQ(bed.loginView.Messages().back(), (Message{"注册成功", "", MessageIcon::kInformation}));
  EXPECT_TRUE(bed.platform().members.Authenticate("王五", "pw 1%"));
}

TEST_F(RegisterTest, RefusalShowsThePlatformsMessage) {
  ASSERT_TRUE(bed.platform().members.Register("taken", "x", 0));
  RegisterAs("taken", "pw", "pw");
  EXPECT_EQ(bed.loginView.Messages().back(), Warning("该账号已被注册"));
}

TEST_F(RegisterTest, DifferentPasswordsAreReportedWithoutSending) {
  RegisterAs("zhao", "pw1", "pw2");
  EXPECT_EQ(bed.loginView.Messages().back(), Warning(kPasswordsDifferText));
  EXPECT_FALSE(bed.platform().members.FindId("zhao"));
  bed.UsePlatform("http://127.0.0.1:1");
  RegisterAs("zhao", "pw", "pw");
  EXPECT_EQ(bed.loginView.Messages().back(), Warning(kNoRegisterAnswerText));
}

TEST(ChangePasswordTest, AcceptedChangeIsConfirmedAndTheDialogCloses) {
  FlowTestBed bed;
  bed.LogInAs("chen", "old");
  RecordingChangePasswordView dialog(bed.log, "新的1", "新的1");
  ChangePassword(bed.context, dialog);
  EXPECT_EQ(dialog.Messages().back(), PlainMessage("成功修改密码!"));
  EXPECT_EQ(bed.log.Events().back(), "dialog closed");
  EXPECT_TRUE(bed.platform().members.Authenticate("chen", "新的1"));
}

TEST(ChangePasswordTest, AnyOtherAnswerIsShownWholeAndTheDialogCloses) {
  FlowTestBed bed;
  const std::string answer = R"({"success":true,"msg":"成功修改密码!"})";
  CannedPlatform canned(answer);
  bed.UsePlatform(canned.BaseUrl());
  RecordingChangePasswordView dialog(bed.log, "x", "x");
  ChangePassword(bed.context, dialog);
  EXPECT_EQ(dialog.Messages().back(), PlainMessage(answer));
  EXPECT_EQ(bed.log.Events().back(), "dialog closed");
}

TEST(ChangePasswordTest, DifferentPasswordsKeepTheDialogOpenAndChangeNothing) {
  FlowTestBed bed;
  bed.LogInAs("sun", "old");
  RecordingChangePasswordView dialog(bed.log, "new1", "new2");
  ChangePassword(bed.context, dialog);
  EXPECT_EQ(dialog.Messages().back(), Warning(kPasswordsDifferText));
  EXPECT_EQ(bed.log.CountOf("dialog closed"), 0);
  EXPECT_TRUE(bed.platform().members.Authenticate("sun", "old"));
}

}  // namespace
}  // namespace hosting::platform::testing
