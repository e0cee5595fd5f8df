// The member's journey through both windows against the demo sandbox: each control reaches its
// flow, whose rules the flow tests check.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>
#include <QTreeWidget>

#include "e2e/member_flows.h"
#include "net/codec.h"
#include "settings/settings_file.h"
#include "ui/bind_alipay_dialog.h"
#include "ui/picture_box.h"

namespace hosting::e2e {
namespace {

TEST(ClientEndToEnd, LoginWindowThenMainWindow) {
  ClientHarness harness;
  QSignalSpy loginClosed(&harness.client(), &app::Client::loginWindowClosed);
  QSignalSpy mainClosed(&harness.client(), &app::Client::mainWindowClosed);
  settings::WriteSetting(harness.settingsFile(), settings::kSettingsSection, settings::kUserNameKey,
                         "张三");
  settings::WriteSetting(harness.settingsFile(), settings::kSettingsSection, settings::kPasswordKey,
                         "密码a&b");
  harness.Start();
  ui::LoginWindow& window = harness.login();
  const auto parts = [&] { return Control<QStatusBar>(window, "状态条1").findChildren<QLabel*>(); };
  auto& loginCaptcha = Control<ui::PictureBox>(window, "图片框1");
  auto& registerCaptcha = Control<ui::PictureBox>(window, "图片框2");
  ASSERT_TRUE(WaitFor([&] { return parts().size() == 2 && !registerCaptcha.image().isNull(); }));
  harness.WaitWorkers();
  EXPECT_EQ(window.userName() + "|" + Control<QLineEdit>(window, "编辑框2").text(), "张三|密码a&b");
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
  EXPECT_EQ(harness.boxes().Shown()[0].owner + harness.boxes().Shown()[0].message.text,
            "LoginWindow注册成功");

  Click(loginCaptcha);  // the registration spent the session's captcha: the member asks anew
  harness.WaitWorkers();
  harness.LogIn(QStringLiteral("demo"), QStringLiteral("demo123"), true);
  ASSERT_TRUE(WaitFor([&] { return harness.main() != nullptr && harness.main()->isVisible(); }));
  EXPECT_TRUE(WaitFor([&] { return window.isHidden(); }));
  EXPECT_EQ(testing_support::FileBytes(harness.settingsFile()),
            net::Utf8ToGbk("[【配置】]\r\n用户名=demo\r\n用户密码=demo123\r\n"));
  harness.WaitWorkers();
  ui::MainWindow& main = *harness.main();
  MemberFlows flows(harness);
  const int before = main.hostedAccounts().topLevelItemCount();
  ASSERT_GT(before, 0) << "the demo member hosts accounts already";

  const std::int64_t id = flows.HostAccount();  // throws when the code on screen is unreadable
  EXPECT_EQ(harness.boxes().Shown().back().owner, "MainWindow");
  EXPECT_EQ(flows.RefreshAccounts(), before + 1);
  flows.ShowAvatarOf(id);
  flows.ReleaseCode();
  flows.DropAccount(id);
  flows.RefreshAccounts();
  EXPECT_EQ(flows.StateOf(id), QString()) << "清除掉线微信 removed it";
  EXPECT_GT(flows.QueryEarnings(), 0);
  flows.ClickWithdrawCaptcha();

  ASSERT_GT(flows.QueryWithdrawals(), 0);
  TypeText(Control<QLineEdit>(main, "编辑框1"), testing_support::kCaptcha);
  Click(Control<QWidget>(main, "按钮3"));  // 提现
  ASSERT_TRUE(WaitFor([&] { return harness.boxes().Count() == 3; }));

  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<ui::BindAlipayDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    TypeText(Control<QLineEdit>(*dialog, "编辑框1"), QStringLiteral("王五"));
    TypeText(Control<QLineEdit>(*dialog, "编辑框2"), "ww@example.com");
    Click(Control<QWidget>(*dialog, "按钮1"));
  });
  Click(Control<QWidget>(main, "按钮5"));  // returns when the flow has closed the dialog
  ASSERT_EQ(harness.boxes().Count(), 4U);
  EXPECT_EQ(harness.boxes().Shown()[3].owner, "BindAlipayDialog");
  harness.WaitWorkers();
  main.close();
  EXPECT_EQ(mainClosed.count() * 10 + loginClosed.count(), 10);
}

}  // namespace
}  // namespace hosting::e2e
