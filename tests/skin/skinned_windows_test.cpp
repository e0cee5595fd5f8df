// The start-up skin on the real windows: every window opened after the attach carries the shifted
// look. With HOSTING_SCREENSHOT_DIR set, the rendered windows are also saved there as PNG files.

#include <gtest/gtest.h>

#include <QDir>
#include <QTabWidget>
#include <QTreeWidget>

#include "skin/skin_test_support.h"
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

// Renders `window`, checks that its background is the skin's shifted window colour, and saves
// the picture when screenshots are asked for.
void ExpectSkinned(QWidget& window, const QColor& background, const QString& name) {
  const QImage image = window.grab().toImage();
  ASSERT_FALSE(image.isNull()) << name.toStdString();
  EXPECT_EQ(image.pixelColor(2, 2), background) << name.toStdString();
  const QString directory = qEnvironmentVariable("HOSTING_SCREENSHOT_DIR");
  if (!directory.isEmpty()) {
    EXPECT_TRUE(image.save(QDir(directory).filePath(name + QStringLiteral(".png"))));
  }
}

void FillSampleRows(QTreeWidget& list, const QStringList& row, int count) {
  for (int i = 0; i < count; ++i) {
    QStringList cells = row;
    for (auto& cell : cells) {
      cell.replace(QStringLiteral("%n"), QString::number(i + 1));
    }
    list.addTopLevelItem(new QTreeWidgetItem(cells));
  }
}

TEST(SkinnedWindows, EveryWindowOpenedAfterTheStartUpAttachCarriesTheSkin) {
  test::TestApplication();
  const MemoryModule noEngine;
  SkinEngine engine(noEngine);
  engine.Attach(6, nullptr, false, 0, std::nullopt, std::nullopt, -80, -35, 20);
  const QColor background = ShiftColour(
      test::ResourceColour(SkinResource(0, 6), QStringLiteral("Window")), engine.Shift());
  ASSERT_TRUE(background.isValid());

  ui::LoginWindow login;
  login.setUserName(QStringLiteral("会员账号"));
  login.setPassword(QStringLiteral("secret"));
  login.appendStatusPart(QStringLiteral("版本:1.0"), 70);
  login.appendStatusPart(QStringLiteral("公告:欢迎使用托管平台"), 295);
  ExpectSkinned(login, background, QStringLiteral("skin-login"));
  if (auto* tabs = login.findChild<QTabWidget*>(QStringLiteral("选择夹1"))) {
    tabs->setCurrentIndex(1);
    ExpectSkinned(login, background, QStringLiteral("skin-login-register"));
  }

  ui::MainWindow main;
  FillSampleRows(main.hostedAccounts(),
                 {QStringLiteral("wxid_%n"), QStringLiteral("微信%n"), QStringLiteral("在线")}, 4);
  ExpectSkinned(main, background, QStringLiteral("skin-main"));
  if (auto* tabs = main.findChild<QTabWidget*>()) {
    for (int page = 1; page < tabs->count(); ++page) {
      tabs->setCurrentIndex(page);
      ExpectSkinned(main, background, QStringLiteral("skin-main-%1").arg(page + 1));
    }
  }

  ui::BindAlipayDialog bind;
  ExpectSkinned(bind, background, QStringLiteral("skin-bind-alipay"));
  ui::ChangePasswordDialog change;
  ExpectSkinned(change, background, QStringLiteral("skin-change-password"));
  qApp->setStyleSheet({});
}

}  // namespace
}  // namespace hosting::skin
