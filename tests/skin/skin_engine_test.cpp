// The sixteen skins, the colour shift and the engine on real windows.

#include "ui/skin/skin_engine.h"

#include <gtest/gtest.h>

#include <QtWidgets>

#include "skin/pe_builder.h"
#include "ui/login_window.h"
#include "ui/skin/memory_module.h"
#include "ui/skin/skin_resources.h"

// Drawing Chinese text goes through fontconfig, whose caches live until the process ends; the leak
// checker of the asan preset reads this list.
extern "C" const char* __lsan_default_suppressions() {
  return "leak:libfontconfig.so\n";
}

namespace hosting::skin {
namespace {

// The colour that the palette comment of `resource` gives `role`; invalid when it lists none.
QColor ResourceColour(const QByteArray& resource, const char* role) {
  const auto match = QRegularExpression(QStringLiteral("\n%1 (#[0-9a-f]{6})\n").arg(role))
                         .match(QString::fromUtf8(resource));
  return match.hasMatch() ? QColor(match.captured(1)) : QColor();
}

// The shift the client starts with: hue back, less saturation, brighter. Its colours may differ by
// one step, as the shift works on floating-point HSL.
TEST(ColourShift, TurnsHueScalesSaturationAndMovesBrightness) {
  const QColor actual = ShiftColour(QColor(0xBD, 0x00, 0xC7, 77), {-80, -35, 20});
  for (const auto& [channel, expected] :
       {std::pair(&QColor::red, 50), {&QColor::green, 112}, {&QColor::blue, 211}})
    EXPECT_NEAR((actual.*channel)(), expected, 1) << actual.name().toStdString();
  EXPECT_EQ(actual.alpha(), 77);
}

// The engine library's export is called only where the library exports it (address 0: no call).
// The log-in window's version part is 70 px wide and must hold its text: no skin may inset it.
TEST(SkinEngine, AttachesEachOfSixteenSkinsShiftedKeepsOneOnAWrongNumberAndCallsTheEngine) {
  std::vector<std::tuple<std::uint32_t, QByteArray, std::string, int, int, int>> calls;
  const auto record = [&calls](std::uint32_t address, const QByteArray& skin,
                               const std::string& password, const ColourShift& shift) {
    calls.emplace_back(address, skin, password, shift.hue, shift.saturation, shift.brightness);
  };
  const MemoryModule noEngine;
  SkinEngine engine(noEngine, record);
  engine.Attach(0, nullptr, false, 0, std::nullopt, std::nullopt, 10, 0, 0);
  EXPECT_TRUE(engine.Skin().isEmpty());
  engine.Attach(6, nullptr, false, 0, std::nullopt, std::nullopt, -80, -35, 20);
  EXPECT_EQ(engine.Skin(), SkinResource(0, 6));
  EXPECT_EQ(QApplication::palette().color(QPalette::Highlight),
            ShiftColour(ResourceColour(engine.Skin(), "Highlight"), {-80, -35, 20}));
  engine.Attach(3, nullptr, false, 1, std::nullopt, std::nullopt, 0, 0, 0);
  for (int number : {0, 9, -6}) {
    engine.Attach(number, nullptr, true, 0, 5, 0xff0000, 40, std::nullopt, std::nullopt);
    EXPECT_EQ(engine.Skin(), SkinResource(1, 3)) << number;
  }
  // The adjustments are still taken, omitted ones as 0, and the kept skin is applied with them.
  EXPECT_EQ(QApplication::palette().color(QPalette::Window),
            ShiftColour(ResourceColour(engine.Skin(), "Window"), {40, 0, 0}));
  for (int set = 0; set < 2; ++set) {
    for (int number = 1; number <= kSkinsPerSet; ++number) {
      SCOPED_TRACE(testing::Message() << set << " " << number);
      const QByteArray skin = SkinResource(set, number);
      EXPECT_EQ(SkinResource(set == 0 ? 7 : 1, number), skin) << "any switch but 1 is set B";
      engine.Attach(number, nullptr, false, set, std::nullopt, std::nullopt, 0, 0, 0);
      ui::LoginWindow login;
      login.appendStatusPart(QStringLiteral("版本：1.2.0"), 70);
      login.show();
      const auto* part = login.findChild<QStatusBar*>()->findChild<QLabel*>();
      EXPECT_EQ(part->contentsRect(), part->rect());
    }
  }
  EXPECT_TRUE(SkinResource(0, 0).isEmpty() && SkinResource(1, 9).isEmpty());
  EXPECT_TRUE(calls.empty());

  test::PeImage image{.data = {0xC2, 0x18, 0x00},  // ret 24
                      .exports = {{"SkinH_SetAero", 0x1001}, {"SkinH_AttachRes", 0x1000}}};
  MemoryModule library;
  ASSERT_TRUE(library.Load(image.Build()));
  SkinEngine(library, record)
      .Attach(6, nullptr, false, 0, std::nullopt, std::nullopt, -80, -35, 20);
  ASSERT_EQ(calls.size(), 1U);
  EXPECT_EQ(calls[0], std::make_tuple(library.GetBase() + 0x1000, SkinResource(0, 6), std::string(),
                                      -80, -35, 20));
  qApp->setStyleSheet({});
}

}  // namespace
}  // namespace hosting::skin
