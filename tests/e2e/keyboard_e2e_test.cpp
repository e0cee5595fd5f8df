// Start-up to MainWindow by keyboard alone: Tab, typing, Space on the captcha and Enter, each key
// sent to whichever control has the focus.

#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>

#include "e2e/client_harness.h"
#include "ui/picture_box.h"

namespace hosting::e2e {
namespace {

QString Focused() {
  return QApplication::focusWidget() != nullptr ? QApplication::focusWidget()->objectName()
                                                : QString();
}

void Key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

void Type(const QString& text) {
  for (const QChar ch : text)
    QTest::sendKeyEvent(QTest::Click, QApplication::focusWidget(), Qt::Key_unknown, QString(ch),
                        Qt::NoModifier);
}

TEST(ClientEndToEnd, KeyboardAloneFromStartUpToMainWindow) {
  ClientHarness harness;
  harness.Start();
  ui::LoginWindow& login = harness.login();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&login));
  auto& captcha = Control<ui::PictureBox>(login, "图片框1");
  ASSERT_TRUE(WaitFor([&] { return !captcha.image().isNull(); }));
  harness.WaitWorkers();

  QStringList visited{Focused()};  // the tab bar of 选择夹1
  Key(Qt::Key_Tab);
  visited << Focused();
  for (const QString& text : {QStringLiteral("demo"), QStringLiteral("demo123")}) {
    Type(text);
    Key(Qt::Key_Tab);
    visited << Focused();
  }
  Key(Qt::Key_Tab);
  visited << Focused();
  QSignalSpy newCaptcha(&login, &ui::LoginWindow::loginCaptchaRequested);
  Key(Qt::Key_Space);
  EXPECT_EQ(newCaptcha.count(), 1);
  harness.WaitWorkers();
  Key(Qt::Key_Tab, Qt::ShiftModifier);
  visited << Focused();
  Type(QString::fromUtf8(testing_support::kCaptcha));
  Key(Qt::Key_Return);
  EXPECT_EQ(visited.join(u' '),
            QStringLiteral("qt_tabwidget_tabbar 编辑框1 编辑框2 编辑框3 图片框1 编辑框3"));
  ASSERT_TRUE(WaitFor([&] { return harness.main() != nullptr && harness.main()->isVisible(); }));
  EXPECT_TRUE(QTest::qWaitForWindowActive(harness.main()));
  harness.WaitWorkers();
}

}  // namespace
}  // namespace hosting::e2e
