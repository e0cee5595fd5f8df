// LoginWindow driven as a member drives it, against an in-process sandbox: start-up, login with
// and without remembering, a wrong captcha, registration, and the failures of the two services.

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <fstream>
#include <iterator>

#include "app/settings_file.h"
#include "e2e/client_harness.h"
#include "net/codec.h"
#include "platform/account_flows.h"
#include "ui/picture_box.h"

namespace hosting::e2e {
namespace {

using platform::Message;
using platform::MessageIcon;

std::string FileBytes(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

QStringList StatusParts(const ui::LoginWindow& window) {
  QStringList texts;
  for (const QLabel* part : Control<QStatusBar>(window, "状态条1").findChildren<QLabel*>())
    texts << part->text();
  return texts;
}

bool BothCaptchasShown(const ui::LoginWindow& window) {
  return !Control<ui::PictureBox>(window, "图片框1").image().isNull() &&
         !Control<ui::PictureBox>(window, "图片框2").image().isNull();
}

TEST(LoginWindowEndToEnd, StartUpFillsSavedCredentialsStatusBarAndBothCaptchas) {
  ClientHarness harness;
  app::WriteSetting(harness.settingsFile(), app::kSettingsSection, app::kUserNameKey, "张三");
  app::WriteSetting(harness.settingsFile(), app::kSettingsSection, app::kPasswordKey, "密码a&b");
  harness.Start();
  const ui::LoginWindow& window = harness.login();
  ASSERT_TRUE(
      WaitFor([&] { return StatusParts(window).size() == 2 && BothCaptchasShown(window); }));
  EXPECT_EQ(Control<QLineEdit>(window, "编辑框1").text(), QStringLiteral("张三"));
  EXPECT_EQ(Control<QLineEdit>(window, "编辑框2").text(), QStringLiteral("密码a&b"));
  EXPECT_FALSE(window.rememberChecked()) << "the box keeps its initial state";

  const auto& config = harness.server().context().config();
  EXPECT_EQ(StatusParts(window),
            QStringList({QStringLiteral("版本：") + QString::fromStdString(config.version),
                         QString::fromStdString(config.notice)}));
  const auto parts = Control<QStatusBar>(window, "状态条1").findChildren<QLabel*>();
  EXPECT_EQ(parts[0]->width(), 70);
  EXPECT_EQ(parts[1]->width(), 295);
  // One captcha for the session, shown on both pages.
  EXPECT_EQ(Control<ui::PictureBox>(window, "图片框2").imageBytes(),
            Control<ui::PictureBox>(window, "图片框1").imageBytes());
  EXPECT_TRUE(harness.boxes().Shown().empty());

  Click(*parts[1]);
  ASSERT_EQ(harness.openedUrls().size(), 1U);
  EXPECT_EQ(harness.openedUrls().front().toStdString(), harness.endpoints().updatePackageUrl);
}

TEST(LoginWindowEndToEnd, WrongCaptchaShowsANewPictureThenTheWarning) {
  ClientHarness harness;
  harness.Start();
  QByteArray pictureWhenWarned;
  harness.boxes().SetOnShow([&] {
    pictureWhenWarned = Control<ui::PictureBox>(harness.login(), "图片框1").imageBytes();
  });
  const ui::LoginWindow& window = harness.login();
  ASSERT_TRUE(WaitFor([&] { return BothCaptchasShown(window); }));
  const QByteArray first = Control<ui::PictureBox>(window, "图片框1").imageBytes();
  const std::string right = harness.CurrentCaptcha();
  harness.LogIn("demo", "demo123", false,
                QString::fromStdString(right == "0000" ? "1111" : "0000"));
  ASSERT_TRUE(WaitFor([&] { return harness.boxes().Count() == 1; }));
  EXPECT_EQ(harness.boxes().Shown().front().message,
            (Message{"验证码错误！", "提示", MessageIcon::kWarning}));
  EXPECT_EQ(harness.boxes().Shown().front().owner, "LoginWindow");
  EXPECT_FALSE(pictureWhenWarned.isEmpty());
  EXPECT_NE(pictureWhenWarned, first) << "the captcha is refreshed before the warning";
  EXPECT_NE(harness.CurrentCaptcha(), right);
  EXPECT_EQ(harness.main(), nullptr);
  EXPECT_FALSE(std::filesystem::exists(harness.settingsFile()));
}

TEST(LoginWindowEndToEnd, RememberedLoginWritesBothKeysInGbkAndOpensMainWindow) {
  ClientHarness harness;
  auto& context = harness.server().context();
  ASSERT_TRUE(context.members.Register("张三", "密码a&b+c", context.Now()).has_value());
  harness.Start();
  harness.LogIn(QStringLiteral("张三"), QStringLiteral("密码a&b+c"), true);
  ASSERT_TRUE(WaitFor([&] { return harness.main() != nullptr && harness.main()->isVisible(); }));
  EXPECT_TRUE(WaitFor([&] { return harness.login().isHidden(); }));
  EXPECT_TRUE(harness.boxes().Shown().empty()) << "an accepted login shows no message";

  const std::string bytes = FileBytes(harness.settingsFile());
  EXPECT_EQ(net::GbkToUtf8(bytes), "[【配置】]\r\n用户名=张三\r\n用户密码=密码a&b+c\r\n");
  EXPECT_NE(bytes.find(net::Utf8ToGbk("密码")), std::string::npos) << "stored as GBK bytes";
  harness.WaitWorkers();
}

TEST(LoginWindowEndToEnd, LoginWithoutRememberingLeavesTheFileAlone) {
  ClientHarness harness;
  app::WriteSetting(harness.settingsFile(), app::kSettingsSection, app::kUserNameKey, "old");
  const std::string before = FileBytes(harness.settingsFile());
  harness.Start();
  ASSERT_TRUE(WaitFor([&] { return harness.login().userName() == QStringLiteral("old"); }));
  harness.LogInToMain("demo", "demo123");
  EXPECT_EQ(FileBytes(harness.settingsFile()), before);
}

TEST(LoginWindowEndToEnd, RegistrationRefusedThenAccepted) {
  ClientHarness harness;
  harness.Start();
  ui::LoginWindow& window = harness.login();
  ASSERT_TRUE(WaitFor([&] { return BothCaptchasShown(window); }));
  // A captcha is spent by a successful registration; each attempt asks for a fresh one, as the
  // member does by clicking the picture.
  const auto freshCaptcha = [&] {
    auto& picture = Control<ui::PictureBox>(window, "图片框2");
    const QByteArray old = picture.imageBytes();
    Click(picture);
    EXPECT_TRUE(WaitFor([&] { return picture.imageBytes() != old && !picture.image().isNull(); }));
    return QString::fromStdString(harness.CurrentCaptcha());
  };
  const auto registerAs = [&](const QString& name, const QString& password, const QString& again) {
    for (const char* box : {"编辑框4", "编辑框5", "编辑框6", "编辑框7"})
      Control<QLineEdit>(window, box).clear();
    TypeText(Control<QLineEdit>(window, "编辑框4"), name);
    TypeText(Control<QLineEdit>(window, "编辑框5"), password);
    TypeText(Control<QLineEdit>(window, "编辑框6"), again);
    TypeText(Control<QLineEdit>(window, "编辑框7"), freshCaptcha());
    Click(Control<QWidget>(window, "按钮2"));
  };
  registerAs("newbie", "pw1", "pw2");
  ASSERT_TRUE(WaitFor([&] { return harness.boxes().Count() == 1; }));
  EXPECT_EQ(harness.boxes().Shown()[0].message.text, platform::kPasswordsDifferText);

  registerAs("demo", "pw1", "pw1");  // taken
  ASSERT_TRUE(WaitFor([&] { return harness.boxes().Count() == 2; }));
  EXPECT_EQ(harness.boxes().Shown()[1].message.icon, MessageIcon::kWarning);
  EXPECT_EQ(harness.boxes().Shown()[1].message.text.find("注册成功"), std::string::npos);

  registerAs(QStringLiteral("新会员"), "pw1", "pw1");
  ASSERT_TRUE(WaitFor([&] { return harness.boxes().Count() == 3; }));
  EXPECT_EQ(harness.boxes().Shown()[2].message.text, "注册成功");
  EXPECT_EQ(harness.boxes().Shown()[2].message.icon, MessageIcon::kInformation);
  auto& context = harness.server().context();
  EXPECT_TRUE(context.members.Authenticate("新会员", "pw1").has_value());
}

TEST(LoginWindowEndToEnd, UnreachableVersionServiceLeavesTheStatusBarEmptyButTheCaptchaArrives) {
  HarnessOptions options;
  options.versionServiceUp = false;
  ClientHarness harness(options);
  harness.Start();
  ASSERT_TRUE(WaitFor([&] { return BothCaptchasShown(harness.login()); }));
  harness.WaitWorkers();
  EXPECT_TRUE(StatusParts(harness.login()).isEmpty());
  EXPECT_TRUE(harness.boxes().Shown().empty());
}

TEST(LoginWindowEndToEnd, DeadPlatformGivesTheClearLoginWarning) {
  HarnessOptions options;
  options.platformUp = false;
  ClientHarness harness(options);
  harness.Start();
  harness.WaitWorkers();
  ui::LoginWindow& window = harness.login();
  EXPECT_TRUE(Control<ui::PictureBox>(window, "图片框1").image().isNull());
  TypeText(Control<QLineEdit>(window, "编辑框1"), "demo");
  TypeText(Control<QLineEdit>(window, "编辑框2"), "demo123");
  TypeText(Control<QLineEdit>(window, "编辑框3"), "1234");
  Click(Control<QWidget>(window, "按钮1"));
  ASSERT_TRUE(WaitFor([&] { return harness.boxes().Count() == 1; }));
  EXPECT_EQ(harness.boxes().Shown()[0].message.text, platform::kNoLoginAnswerText);
  EXPECT_EQ(harness.boxes().Shown()[0].message.icon, MessageIcon::kWarning);
  EXPECT_EQ(harness.main(), nullptr);
  EXPECT_TRUE(window.isVisible());
}

TEST(LoginWindowEndToEnd, ClosingTheWindowsEndsTheProgram) {
  ClientHarness harness;
  QSignalSpy loginClosed(&harness.client(), &app::Client::loginWindowClosed);
  QSignalSpy mainClosed(&harness.client(), &app::Client::mainWindowClosed);
  harness.Start();
  ui::MainWindow& main = harness.LogInToMain("demo", "demo123");
  EXPECT_TRUE(harness.login().isHidden());
  main.close();
  EXPECT_EQ(mainClosed.count(), 1);
  EXPECT_EQ(loginClosed.count(), 0);
}

}  // namespace
}  // namespace hosting::e2e
