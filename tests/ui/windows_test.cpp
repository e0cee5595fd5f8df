// What the windows give the flows, and what they do on their own.

#include <gtest/gtest.h>

#include <QtTest>
#include <QtWidgets>

#include "ui/bind_alipay_dialog.h"
#include "ui/change_password_dialog.h"
#include "ui/login_window.h"
#include "ui/main_window.h"
#include "ui/picture_box.h"

namespace hosting::ui {
namespace {

QWidget& Control(const QWidget& window, const char* name) {
  const auto found = window.findChildren<QWidget*>(QString::fromUtf8(name));
  if (found.size() != 1)
    throw std::runtime_error(std::string("no single control ") + name);
  return *found.front();
}

class Windows : public testing::Test {
 protected:
  void SetUp() override {
    for (QWidget* window : std::initializer_list<QWidget*>{&login_, &main_, &bind_, &change_})
      window->show();
  }
  LoginWindow login_;
  MainWindow main_;
  BindAlipayDialog bind_;
  ChangePasswordDialog change_;
};

// The controls whose flows' work the client's journey does not see, each with the signal that
// starts its flow (the journey presses the others and sees what their flows do).
TEST_F(Windows, ControlsStartTheirFlows) {
  const std::tuple<QWidget*, const char*, const char*> controls[] = {
      {&login_, "按钮1", SIGNAL(loginRequested())},
      {&login_, "图片框2", SIGNAL(registerCaptchaRequested())},
      {&main_, "按钮8", SIGNAL(refreshRequested())},
      {&main_, "按钮4", SIGNAL(withdrawalsRequested())},
      {&main_, "按钮6", SIGNAL(changePasswordRequested())},
      {&change_, "按钮1", SIGNAL(changeRequested())},
  };
  for (const auto& [window, name, signal] : controls) {
    QSignalSpy presses(window, signal);
    QTest::mouseClick(&Control(*window, name), Qt::LeftButton);
    EXPECT_EQ(presses.count(), 1) << name;
  }
}

TEST_F(Windows, TabKeyFollowsTheVisualOrder) {
  const std::pair<QWidget*, const char*> orders[] = {
      {&login_,
       "选择夹1 编辑框1 编辑框2 编辑框3 图片框1 选择框1 按钮1 编辑框4 编辑框5 编辑框6 编辑框7 "
       "图片框2 按钮2"},
      {&main_,
       "选择夹1 按钮9 按钮2 托管状态 按钮8 按钮7 微信业绩 按钮1 按钮4 按钮6 编辑框1 图片框3 按钮3 "
       "按钮5 提现操作 编辑框2"},
      {&bind_, "编辑框1 编辑框2 按钮1"},
      {&change_, "编辑框1 编辑框2 按钮1"},
  };
  for (const auto& [window, order] : orders) {
    const QStringList expected = QString::fromUtf8(order).split(u' ');
    QStringList chain;
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
      // The tab control takes the focus through its tab bar, its focus proxy.
      if (expected.contains(w->objectName()) &&
          ((w->focusPolicy() & Qt::TabFocus) || w->focusProxy()))
        chain << w->objectName();
    }
    EXPECT_EQ(chain, expected) << window->objectName().toStdString();
  }
}

TEST_F(Windows, EnterLogsInOnlyFromTheCaptchaBoxAndStatusPartsSitSideBySide) {
  QSignalSpy logins(&login_, &LoginWindow::loginRequested);
  // Enter in the captcha box logs in (every end-to-end login does so); not in the other boxes.
  for (const char* other : {"编辑框1", "编辑框2"})
    QTest::keyClick(&Control(login_, other), Qt::Key_Return);
  EXPECT_EQ(logins.count(), 0);

  // The status parts sit side by side at their widths (a click on the notice is the client's
  // journey's).
  auto& bar = Control(login_, "状态条1");
  login_.appendStatusPart(QStringLiteral("版本：1.2.0"), 70);
  login_.appendStatusPart(QStringLiteral("欢迎使用"), 295);
  QCoreApplication::processEvents();
  const auto parts = bar.findChildren<QLabel*>();
  ASSERT_EQ(parts.size(), 2);
  EXPECT_EQ(QRect(parts[0]->mapTo(&bar, QPoint()), parts[0]->size()),
            QRect(0, 0, 70, bar.height()));
  EXPECT_EQ(QRect(parts[1]->mapTo(&bar, QPoint()), parts[1]->size()),
            QRect(70, 0, 295, bar.height()));
}

// A fresh hosting code must not be replaced by an avatar: only the member's move to another row
// asks for one, never focus handed to the list (获取二维码 disabling itself hands it on).
TEST_F(Windows, OnlyTheMembersMoveToAnotherRowAsksForAnAvatar) {
  auto& list = main_.hostedAccounts();
  for (const char* id : {"1", "2"})
    new QTreeWidgetItem(&list, {id, "在线", "nick", "http://example.invalid/a.png"});
  QSignalSpy avatars(&main_, &MainWindow::avatarRequested);
  main_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&main_));
  main_.qrButton().setFocus();
  main_.qrButton().setEnabled(false);
  EXPECT_TRUE(list.hasFocus());
  EXPECT_EQ(list.currentItem(), nullptr);
  QTest::keyClick(&list, Qt::Key_Down);
  EXPECT_EQ(list.currentItem(), list.topLevelItem(0));
  EXPECT_EQ(avatars.count(), 1);
  list.setCurrentItem(list.topLevelItem(1));
  EXPECT_EQ(avatars.count(), 2);
  list.clear();
  EXPECT_EQ(avatars.count(), 2) << "emptying the list is no choice";
}

TEST(PictureBox, DrawsAtItsOwnSizeOrScaledToFill) {
  PictureBox box;
  box.resize(20, 20);
  box.setImageBytes(R"(/* XPM */ static const char* p[] = {"1 1 1 1", "a c #000000", "a"};)");
  const auto pixelAt = [&box](int x, int y) { return box.grab().toImage().pixelColor(x, y); };
  EXPECT_EQ(pixelAt(0, 0), QColor(Qt::black));
  EXPECT_NE(pixelAt(15, 15), QColor(Qt::black));
  box.setDisplayMode(PictureBox::kScaledToFill);
  EXPECT_EQ(pixelAt(15, 15), QColor(Qt::black));
  // Bytes that only start like a picture leave the box empty, and it still paints.
  box.setImageBytes(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR broken", 24));
  EXPECT_TRUE(box.image().isNull());
  EXPECT_NE(pixelAt(15, 15), QColor(Qt::black));
}

}  // namespace
}  // namespace hosting::ui
