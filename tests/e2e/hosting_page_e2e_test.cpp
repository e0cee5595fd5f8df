// The hosting page looks after itself, on offscreen against the demo sandbox: an expired code says
// so on the picture and in its accessible description, Tab and Space bring a fresh code that a
// phone can read, an account the platform takes offline is announced below the list (offscreen has
// no tray), and closing the window ends the watch's thread.
#include <gtest/gtest.h>
#include <httplib.h>

#include <QApplication>
#include <QLabel>
#include <QTreeWidget>

#include "e2e/member_flows.h"
#include "ui/accessibility.h"
#include "ui/picture_box.h"

namespace hosting::e2e {
namespace {

using namespace std::chrono_literals;

TEST(HostingPageEndToEnd, ExpiredCodeRefreshesFromTheKeyboardAndAnOfflineAccountIsAnnounced) {
  HarnessOptions options;
  options.timings.countdownTick = 2ms;
  options.timings.pollInterval = 20ms;
  options.timings.pollGrace = 100ms;
  options.timings.watchInterval = 100ms;
  ClientHarness harness(options);
  harness.Start();
  ui::MainWindow& main = harness.LogInToMain(QStringLiteral("demo"), QStringLiteral("demo123"));
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
