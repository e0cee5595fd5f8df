// What the windows do on their own, before any flow: the captcha box takes digits only and starts
// a login on Enter, the status bar holds its parts at their widths and reports a click, the picture
// boxes report presses, a feedback reaches its label's window, and only a move to another row of
// 托管状态 asks for an avatar.

#include <gtest/gtest.h>

#include <QBuffer>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>
#include <thread>

#include "ui/feedback_event.h"
#include "ui/login_window.h"
#include "ui/main_window.h"
#include "ui/picture_box.h"

namespace hosting::ui {
namespace {

template <typename T>
T& Find(const QWidget& window, const char* name) {
  auto* found = window.findChild<T*>(QString::fromUtf8(name));
  if (found == nullptr)
    throw std::runtime_error(std::string("no control ") + name);
  return *found;
}

QByteArray PngOf(int width, int height, Qt::GlobalColor colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  QByteArray png;
  QBuffer buffer(&png);
  image.save(&buffer, "PNG");
  return png;
}

void TypeText(QWidget& box, const QString& text) {
  for (const QChar ch : text)
    QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

class LoginWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  }
  LoginWindow window_;
};

TEST_F(LoginWindowTest, CaptchaBoxTakesDigitsOnlyAndEnterThereStartsALogin) {
  QSignalSpy logins(&window_, &LoginWindow::loginRequested);
  auto& captcha = Find<QLineEdit>(window_, "编辑框3");
  captcha.setFocus();
  TypeText(captcha, QStringLiteral("12a3验"));
  EXPECT_EQ(captcha.text(), QStringLiteral("123"));
  EXPECT_EQ(logins.count(), 0);
  QTest::keyClick(&captcha, Qt::Key_Return);
  EXPECT_EQ(logins.count(), 1);
  for (const char* other : {"编辑框1", "编辑框2"}) {
    QTest::keyClick(&Find<QLineEdit>(window_, other), Qt::Key_Return);
  }
  EXPECT_EQ(logins.count(), 1) << "Enter in the user name or password box must not log in";
  QTest::mouseClick(&Find<QWidget>(window_, "按钮1"), Qt::LeftButton);
  EXPECT_EQ(logins.count(), 2);
}

TEST_F(LoginWindowTest, PasswordsAreShownInClear) {
  for (const char* name : {"编辑框2", "编辑框5", "编辑框6"}) {
    auto& box = Find<QLineEdit>(window_, name);
    TypeText(box, QStringLiteral("密码a&b"));
    EXPECT_EQ(box.echoMode(), QLineEdit::Normal) << name;
    EXPECT_EQ(box.displayText(), QStringLiteral("密码a&b")) << name;
  }
  EXPECT_EQ(window_.password(), QStringLiteral("密码a&b"));
  EXPECT_EQ(window_.registerPasswordAgain(), QStringLiteral("密码a&b"));
}

TEST_F(LoginWindowTest, StatusPartsKeepTheirWidthsSideBySideAndAClickAsksForTheUpdate) {
  auto& bar = Find<QStatusBar>(window_, "状态条1");
  EXPECT_TRUE(bar.findChildren<QLabel*>().isEmpty()) << "no parts before the version answer";
  window_.appendStatusPart(QStringLiteral("版本：1.2.0"), 70);
  window_.appendStatusPart(QStringLiteral("欢迎使用"), 295);
  QCoreApplication::processEvents();
  const auto parts = bar.findChildren<QLabel*>();
  ASSERT_EQ(parts.size(), 2);
  EXPECT_EQ(parts[0]->text(), QStringLiteral("版本：1.2.0"));
  EXPECT_EQ(QRect(parts[0]->mapTo(&bar, QPoint(0, 0)), parts[0]->size()),
            QRect(0, 0, 70, bar.height()));
  EXPECT_EQ(parts[1]->mapTo(&bar, QPoint(0, 0)), QPoint(70, 0));
  EXPECT_EQ(parts[1]->width(), 295);

  QSignalSpy clicks(&window_, &LoginWindow::updateLinkRequested);
  QTest::mouseClick(parts[1], Qt::LeftButton);
  QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(bar.width() - 3, 5));
  QTest::mouseClick(&bar, Qt::RightButton);
  EXPECT_EQ(clicks.count(), 2);
}

TEST_F(LoginWindowTest, CaptchaPicturesReportPressesAndKeepTheirBytes) {
  QSignalSpy login(&window_, &LoginWindow::loginCaptchaRequested);
  QSignalSpy reg(&window_, &LoginWindow::registerCaptchaRequested);
  QTest::mouseClick(&Find<PictureBox>(window_, "图片框1"), Qt::LeftButton);
  EXPECT_EQ(login.count(), 1);
  EXPECT_EQ(reg.count(), 0);
  // Keyboard users reach the picture with Tab and press Space.
  auto& registerPicture = Find<PictureBox>(window_, "图片框2");
  QTest::keyClick(&registerPicture, Qt::Key_Space);
  EXPECT_EQ(reg.count(), 1);

  const QByteArray png = PngOf(8, 4, Qt::red);
  window_.setLoginCaptcha(png);
  EXPECT_EQ(window_.loginCaptcha(), png);
  EXPECT_EQ(Find<PictureBox>(window_, "图片框1").image().size(), QSize(8, 4));
  window_.setLoginCaptcha(QByteArrayLiteral("<html>not an image</html>"));
  EXPECT_TRUE(Find<PictureBox>(window_, "图片框1").image().isNull());
}

TEST_F(LoginWindowTest, FeedbackPostedFromAnotherThreadArrivesOnTheGuiThread) {
  QSignalSpy feedback(&window_, &LoginWindow::feedback);
  QObject& label = window_.feedbackLabel();
  EXPECT_EQ(label.objectName(), QStringLiteral("标签1"));
  std::thread([&label] { QCoreApplication::postEvent(&label, new FeedbackEvent(0, 0)); }).join();
  EXPECT_EQ(feedback.count(), 0) << "posted, not sent";
  EXPECT_TRUE(feedback.wait(5000) || feedback.count() == 1);
  ASSERT_EQ(feedback.count(), 1);
  EXPECT_EQ(feedback[0][0].value<qintptr>(), 0);
}

TEST(MainWindowTest, OnlyAMoveToAnotherRowAsksForAnAvatar) {
  MainWindow window;
  window.show();
  auto& list = window.hostedAccounts();
  for (const char* id : {"1", "2"}) {
    new QTreeWidgetItem(&list, {id, "在线", "nick", "http://example.invalid/a.png"});
  }
  QSignalSpy avatars(&window, &MainWindow::avatarRequested);
  list.setCurrentItem(list.topLevelItem(0));
  list.setCurrentItem(list.topLevelItem(0));
  EXPECT_EQ(avatars.count(), 1);
  list.setCurrentItem(list.topLevelItem(1));
  EXPECT_EQ(avatars.count(), 2);
  list.clear();
  EXPECT_EQ(avatars.count(), 2) << "emptying the list is no selection";
}

TEST(MainWindowTest, FocusReachingTheListByKeyboardPicksNoRow) {
  MainWindow window;
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  auto& list = window.hostedAccounts();
  new QTreeWidgetItem(&list, {"1", "在线", "nick", "http://example.invalid/a.png"});
  QSignalSpy avatars(&window, &MainWindow::avatarRequested);
  // 获取二维码 disables itself while it has the focus: Qt hands the focus on to the list.
  auto& getCode = window.qrButton();
  getCode.setFocus();
  ASSERT_TRUE(getCode.hasFocus());
  getCode.setEnabled(false);
  EXPECT_TRUE(list.hasFocus());
  EXPECT_EQ(list.currentItem(), nullptr);
  EXPECT_EQ(avatars.count(), 0);
  // The member then moves to a row with the keyboard: that is a choice.
  QTest::keyClick(&list, Qt::Key_Down);
  EXPECT_EQ(list.currentItem(), list.topLevelItem(0));
  EXPECT_EQ(avatars.count(), 1);
}

TEST(MainWindowTest, PictureModesDrawAtOwnSizeOrScaledToFill) {
  PictureBox box;
  box.resize(20, 20);
  box.setImageBytes(PngOf(10, 10, Qt::black));
  const auto pixelAt = [&box](int x, int y) { return box.grab().toImage().pixelColor(x, y); };
  EXPECT_EQ(pixelAt(5, 5), QColor(Qt::black));
  EXPECT_NE(pixelAt(15, 15), QColor(Qt::black));
  box.setDisplayMode(PictureBox::kScaledToFill);
  EXPECT_EQ(pixelAt(15, 15), QColor(Qt::black));
  box.setImageBytes({});
  EXPECT_NE(pixelAt(5, 5), QColor(Qt::black)) << "empty bytes clear the picture";
}

}  // namespace
}  // namespace hosting::ui
