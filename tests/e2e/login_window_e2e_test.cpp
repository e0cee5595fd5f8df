// LoginWindow's journey as a member walks it, against an in-process sandbox: start-up with saved
// credentials, the update notice, registration, a remembered login into MainWindow, closing.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStatusBar>

#include "app/settings_file.h"
#include "e2e/client_harness.h"
#include "net/codec.h"
#include "ui/picture_box.h"

namespace hosting::e2e {
namespace {

TEST(LoginWindowEndToEnd, StartUpRegistrationRememberedLoginAndClosing) {
  ClientHarness harness;
  app::WriteSetting(harness.settingsFile(), app::kSettingsSection, app::kUserNameKey, "张三");
  app::WriteSetting(harness.settingsFile(), app::kSettingsSection, app::kPasswordKey, "密码a&b");
  QSignalSpy loginClosed(&harness.client(), &app::Client::loginWindowClosed);
  QSignalSpy mainClosed(&harness.client(), &app::Client::mainWindowClosed);
  harness.Start();
  ui::LoginWindow& window = harness.login();
  const auto parts = [&] { return Control<QStatusBar>(window, "状态条1").findChildren<QLabel*>(); };
  auto& loginCaptcha = Control<ui::PictureBox>(window, "图片框1");
  auto& registerCaptcha = Control<ui::PictureBox>(window, "图片框2");
  ASSERT_TRUE(WaitFor([&] { return parts().size() == 2 && !registerCaptcha.image().isNull(); }));
  harness.WaitWorkers();
  EXPECT_EQ(window.userName() + "|" + Control<QLineEdit>(window, "编辑框2").text(), "张三|密码a&b");
  const auto& config = harness.sandbox().platform().config();
  EXPECT_EQ(parts()[0]->text().toStdString() + "|" + parts()[1]->text().toStdString(),
            "版本：" + config.version + "|" + config.notice);
  EXPECT_EQ(parts()[0]->width() * 1000 + parts()[1]->width(), 70 * 1000 + 295);
  EXPECT_EQ(registerCaptcha.imageBytes(), loginCaptcha.imageBytes());  // one for the session
  Click(*parts()[1]);
  EXPECT_EQ(harness.openedUrls(),
            std::vector{QString::fromStdString(harness.sandbox().Endpoints().updatePackageUrl)});

  for (const auto& [box, text] : {std::pair{"编辑框4", QStringLiteral("新会员")},
                                  {"编辑框5", QStringLiteral("密码a&b+c")},
                                  {"编辑框6", QStringLiteral("密码a&b+c")},
                                  {"编辑框7", QStringLiteral("4711")}})
    TypeText(Control<QLineEdit>(window, box), text);
  Click(Control<QWidget>(window, "按钮2"));
  ASSERT_TRUE(WaitFor([&] { return harness.boxes().Count() == 1; }));
  EXPECT_EQ(harness.boxes().Shown()[0].message.text, "注册成功");
  EXPECT_EQ(harness.boxes().Shown()[0].owner, "LoginWindow");

  Click(loginCaptcha);  // the registration spent the session's captcha: the member asks anew
  harness.WaitWorkers();
  harness.LogIn(QStringLiteral("新会员"), QStringLiteral("密码a&b+c"), true);
  ASSERT_TRUE(WaitFor([&] { return harness.main() != nullptr && harness.main()->isVisible(); }));
  EXPECT_TRUE(WaitFor([&] { return window.isHidden(); }));
  EXPECT_EQ(harness.boxes().Count(), 1U) << "an accepted login shows no message";
  EXPECT_EQ(testing_support::FileBytes(harness.settingsFile()),
            net::Utf8ToGbk("[【配置】]\r\n用户名=新会员\r\n用户密码=密码a&b+c\r\n"));
  harness.WaitWorkers();
  harness.main()->close();
  EXPECT_EQ(mainClosed.count(), 1);
  EXPECT_EQ(loginClosed.count(), 0);
}

}  // namespace
}  // namespace hosting::e2e
