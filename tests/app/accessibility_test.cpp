// What a screen reader is told, read in-process as assistive technology reads it.

#include <gtest/gtest.h>

#include <QAccessible>
#include <QMetaEnum>

#include "app/qt_main_view.h"
#include "support/recording_message_boxes.h"
#include "ui/bind_alipay_dialog.h"
#include "ui/change_password_dialog.h"
#include "ui/login_window.h"
#include "ui/picture_box.h"

namespace hosting::app {
namespace {

// "role|name|description".
std::string Announced(QWidget& widget) {
  QAccessibleInterface* face = QAccessible::queryAccessibleInterface(&widget);
  return std::string(QMetaEnum::fromType<QAccessible::Role>().valueToKey(face->role())) + "|" +
         face->text(QAccessible::Name).toStdString() + "|" +
         face->text(QAccessible::Description).toStdString();
}

TEST(Accessibility, WindowsDialogsAndPicturesSayWhatTheyAreAndTheCodeBoxWhatItShows) {
  ui::LoginWindow login;
  ui::MainWindow main;
  ui::BindAlipayDialog bind;
  ui::ChangePasswordDialog change;
  const auto box = [](QWidget& window, const char* name) -> QWidget& {
    return *window.findChild<ui::PictureBox*>(QString::fromUtf8(name));
  };
  const std::pair<QWidget*, std::string> expected[] = {
      {&login, "Window|首页|"},
      {&main, "Window|平台业务|"},
      {&bind, "Dialog|绑定支付宝|"},
      {&change, "Dialog|修改密码|"},
      {&box(login, "图片框1"), "Graphic|验证码图片|按空格键或点击换一张"},
      {&box(login, "图片框2"), "Graphic|注册验证码图片|按空格键或点击换一张"},
      {&box(main, "图片框3"), "Graphic|提现验证码图片|按空格键或点击换一张"},
      {&main.qrPicture(), "Graphic|托管二维码|用手机扫一扫扫描此二维码，或显示所选账号的头像"},
  };
  for (const auto& [widget, announced] : expected)
    EXPECT_EQ(Announced(*widget), announced) << widget->objectName().toStdString();

  // A fresh code's description: the hosting page's end-to-end test.
  testing_support::RecordingMessageBoxes boxes;
  QtMainView view(main, boxes);
  const std::pair<std::function<void()>, std::string> shown[] = {
      {[&] { view.SetAvatarPicture("png", "wxid_1", "小号"); }, "所选账号 wxid_1（小号）的头像"},
      {[&] { view.SetQrPicture(""); }, ""},
  };
  for (const auto& [show, description] : shown) {
    show();
    EXPECT_EQ(Announced(main.qrPicture()), "Graphic|托管二维码|" + description);
  }
}

}  // namespace
}  // namespace hosting::app
