// The skins on the real windows: every window opened after the start-up attach has the skin's
// window colour, and no skin insets the status-bar parts.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QStatusBar>

#include "ui/bind_alipay_dialog.h"
#include "ui/change_password_dialog.h"
#include "ui/login_window.h"
#include "ui/main_window.h"
#include "ui/skin/memory_module.h"
#include "ui/skin/skin_engine.h"
#include "ui/skin/skin_resources.h"

// Drawing Chinese text goes through fontconfig, whose caches live until the process ends; the leak
// checker of the asan preset reads this list.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

namespace hosting::skin {
namespace {

class SkinnedWindows : public testing::Test {
 protected:
  void TearDown() override { qApp->setStyleSheet({}); }
  const MemoryModule noEngine_;
  SkinEngine engine_{noEngine_};
};

TEST_F(SkinnedWindows, EveryWindowOpenedAfterTheStartUpAttachCarriesTheSkin) {
  const QColor unskinned = QApplication::palette().color(QPalette::Window);
  engine_.Attach(6, nullptr, false, 0, std::nullopt, std::nullopt, -80, -35, 20);
  const QColor background = QApplication::palette().color(QPalette::Window);
  ASSERT_NE(background, unskinned);
  ui::LoginWindow login;
  ui::MainWindow main;
  ui::BindAlipayDialog bind;
  ui::ChangePasswordDialog change;
  for (QWidget* window : std::initializer_list<QWidget*>{&login, &main, &bind, &change}) {
    EXPECT_EQ(window->grab().toImage().pixelColor(2, 2), background)
        << window->objectName().toStdString();
  }
}

// The version part is 70 px wide and must hold its text: no skin may pad it.
TEST_F(SkinnedWindows, StatusBarPartsHaveNoInsetOnAnySkin) {
  for (const int setSwitch : {0, 1}) {
    for (int number = 1; number <= kSkinsPerSet; ++number) {
      engine_.Attach(number, nullptr, false, setSwitch, std::nullopt, std::nullopt, 0, 0, 0);
      ui::LoginWindow login;
      login.appendStatusPart(QStringLiteral("版本：1.2.0"), 70);
      login.show();
      auto* part = login.findChild<QStatusBar*>()->findChild<QLabel*>();
      ASSERT_NE(part, nullptr);
      EXPECT_EQ(part->contentsRect(), part->rect()) << setSwitch << " " << number;
    }
  }
}

}  // namespace
}  // namespace hosting::skin
