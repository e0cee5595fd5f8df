// Start-up to MainWindow by keyboard alone, each key sent to whichever control has the focus.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>

#include "e2e/client_harness.h"

namespace hosting::e2e {
namespace {

TEST(ClientEndToEnd, KeyboardAloneFromStartUpToMainWindow) {
  ClientHarness harness;
  harness.Start();
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
    for (const QChar ch : text)
      QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(ch),
                          Qt::NoModifier);
    QTest::keyClick(QApplication::focusWidget(), key);
    harness.WaitWorkers();
  }
  EXPECT_EQ(visited.join(u' '),
            "qt_tabwidget_tabbar 编辑框1 编辑框2 编辑框3 图片框1 图片框1 编辑框3");
  EXPECT_EQ(newCaptcha.count(), 1);
  ASSERT_TRUE(WaitFor([&] { return harness.main() != nullptr && harness.main()->isVisible(); }));
  EXPECT_TRUE(QTest::qWaitForWindowActive(harness.main()));
}

}  // namespace
}  // namespace hosting::e2e
