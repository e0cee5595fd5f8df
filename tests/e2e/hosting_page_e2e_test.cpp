// A member reaches MainWindow by keyboard alone, and the hosting page looks after itself, on
// offscreen against the demo sandbox: an expired code says
// so on the picture and in its accessible description, Tab and Space bring a fresh code that a
// phone can read, an account the platform takes offline is announced below the list (offscreen has
// no tray), and closing the window ends the watch's thread.
#include <gtest/gtest.h>
#include <httplib.h>

#include <QApplication>
#include <QLabel>
#include <QSignalSpy>
#include <QTreeWidget>

#include "e2e/member_flows.h"
#include "ui/accessibility.h"
#include "ui/picture_box.h"

namespace hosting::e2e {
namespace {

using namespace std::chrono_literals;

TEST(HostingPageEndToEnd, KeyboardLoginThenAnExpiredCodeRefreshesAndAnOfflineAccountIsAnnounced) {
  HarnessOptions options;
  options.timings.countdownTick = 2ms;
  options.timings.pollInterval = 20ms;
  options.timings.pollGrace = 100ms;
  options.timings.watchInterval = 100ms;
  ClientHarness harness(options);
  harness.Start();
  // Start-up to MainWindow by keyboard alone, each key sent to whichever control has the focus.
  ui::LoginWindow& login = harness.login();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&login));
  harness.WaitWorkers();
  QSignalSpy newCaptcha(&login, &ui::LoginWindow::loginCaptchaRequested);
  QStringList visited;
  // Each step: the keys, then where the focus is; Space asks for a new captcha.
  const std::pair<QString, Qt::Key> steps[] = {{"", Qt::Key_Tab},
                                               {"demo", Qt::Key_Tab},
                                               {"demo123", Qt::Key_Tab},
                                               {"", Qt::Key_Tab},
                                               {"", Qt::Key_Space},
                                               {"", Qt::Key_Backtab},
                                               {testing_support::kCaptcha, Qt::Key_Return}};
  for (const auto& [text, key] : steps) {
    visited << QApplication::focusWidget()->objectName();
    TypeText(*QApplication::focusWidget(), text);
    QTest::keyClick(QApplication::focusWidget(), key);
    harness.WaitWorkers();
  }
  EXPECT_EQ(visited.join(u' '),
            "qt_tabwidget_tabbar 编辑框1 编辑框2 编辑框3 图片框1 图片框1 编辑框3");
  EXPECT_EQ(newCaptcha.count(), 1);
  ASSERT_TRUE(WaitFor([&] { return harness.main() != nullptr && harness.main()->isVisible(); }));
  EXPECT_TRUE(QTest::qWaitForWindowActive(harness.main()));
  harness.WaitWorkers();
  ui::MainWindow& main = *harness.main();
  ui::PictureBox& picture = main.qrPicture();
  Click(main.qrButton());
  ASSERT_TRUE(WaitFor([&] { return picture.accessibleDescription() == "二维码已失效，点击刷新"; }));
  EXPECT_TRUE(main.qrButton().isEnabled());

  QApplication::setActiveWindow(&main);
  main.qrButton().setFocus();
  QTest::keyClick(&main.qrButton(), Qt::Key_Tab);
  ASSERT_EQ(QApplication::focusWidget(), &picture) << "Tab reaches the expired code";
  const QByteArray expired = picture.imageBytes();
  QTest::keyClick(&picture, Qt::Key_Space);
  ASSERT_TRUE(
      WaitFor([&] { return picture.imageBytes() != expired && !picture.image().isNull(); }));
  EXPECT_TRUE(ScanText(picture).find("/custody/sandbox/scan?code=") != std::string::npos)
      << "the fresh code is readable, not dimmed";
  EXPECT_EQ(picture.accessibleDescription(), ui::HostingCodeDescription());  // a code to scan

  // A look of the watch rewrites the counters; after it, the platform takes an account offline.
  QLabel& hosted = main.label(QStringLiteral("透明标签3"));
  hosted.setText({});
  ASSERT_TRUE(WaitFor([&] { return !hosted.text().isEmpty(); }));
  const auto online = main.hostedAccounts().findItems(QStringLiteral("在线"), Qt::MatchExactly, 1);
  ASSERT_FALSE(online.isEmpty());
  const QString id = online.front()->text(0), nickname = online.front()->text(2);
  const auto taken = httplib::Client(harness.sandbox().Endpoints().platformBaseUrl)
                         .Post("/custody/sandbox/account", "id=" + id.toStdString() + "&online=0",
                               "application/x-www-form-urlencoded");
  ASSERT_TRUE(taken && taken->status == 303);
  const auto& notice = Control<QLabel>(main, "离线提示");
  EXPECT_TRUE(WaitFor([&] {
    return notice.text() == "账号 " + id + "（" + nickname + "）已离线，请重新获取二维码托管";
  })) << notice.text().toStdString();

  const int watching = ThreadCount();
  main.close();
  EXPECT_TRUE(WaitFor([watching] { return ThreadCount() < watching; }, 5000));
}

}  // namespace
}  // namespace hosting::e2e
