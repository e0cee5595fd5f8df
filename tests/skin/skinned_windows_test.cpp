// The version part of the log-in window's status bar is 70 px wide and must hold its text: no
// skin may inset the parts.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QStatusBar>

#include "ui/login_window.h"
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

TEST(SkinnedWindows, StatusBarPartsHaveNoInsetOnAnySkin) {
  const MemoryModule noEngine;
  SkinEngine engine(noEngine);
  for (int set = 0; set < 2; ++set) {
    for (int number = 1; number <= kSkinsPerSet; ++number) {
      engine.Attach(number, nullptr, false, set, std::nullopt, std::nullopt, 0, 0, 0);
      ui::LoginWindow login;
      login.appendStatusPart(QStringLiteral("版本：1.2.0"), 70);
      login.show();
      auto* part = login.findChild<QStatusBar*>()->findChild<QLabel*>();
      ASSERT_NE(part, nullptr);
      EXPECT_EQ(part->contentsRect(), part->rect()) << set << " " << number;
    }
  }
  qApp->setStyleSheet({});
}

}  // namespace
}  // namespace hosting::skin
