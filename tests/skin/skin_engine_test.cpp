#include "ui/skin/skin_engine.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QPalette>
#include <QRegularExpression>
#include <array>

#include "skin/pe_builder.h"
#include "ui/skin/memory_module.h"
#include "ui/skin/skin_resources.h"

namespace hosting::skin {
namespace {

// The colour that the palette comment of `resource` gives `role`; invalid when it lists none.
QColor ResourceColour(const QByteArray& resource, const QString& role) {
  const QRegularExpression line(QStringLiteral("\n%1 (#[0-9a-f]{6})\n").arg(role));
  const auto match = line.match(QString::fromUtf8(resource));
  return match.hasMatch() ? QColor(match.captured(1)) : QColor();
}

TEST(SkinResources, SixteenSkinsOfTheirSizesEachWithAPalette) {
  constexpr std::array<int, kSkinsPerSet> setA = {4342, 5808, 11247, 7614, 5185, 3555, 4237, 3882};
  constexpr std::array<int, kSkinsPerSet> setB = {4346, 5802, 11241, 7618, 5182, 3535, 4233, 3880};
  for (int number = 1; number <= kSkinsPerSet; ++number) {
    const QByteArray a = SkinResource(1, number);
    const QByteArray b = SkinResource(0, number);
    EXPECT_EQ(a.size(), setA[number - 1]) << "A" << number;
    EXPECT_EQ(b.size(), setB[number - 1]) << "B" << number;
    EXPECT_EQ(SkinResource(7, number), b) << "any switch but 1 is set B";
    for (const auto& skin : {a, b}) {
      EXPECT_TRUE(ResourceColour(skin, QStringLiteral("Window")).isValid());
      EXPECT_TRUE(ResourceColour(skin, QStringLiteral("Highlight")).isValid());
    }
  }
  EXPECT_TRUE(SkinResource(0, 0).isEmpty());
  EXPECT_TRUE(SkinResource(1, 9).isEmpty());
}

TEST(SkinEngine, AttachAppliesTheShiftedSkinAndAWrongNumberKeepsThePreviousOne) {
  const MemoryModule noEngine;
  SkinEngine engine(noEngine);
  engine.Attach(0, nullptr, false, 0, std::nullopt, std::nullopt, 10, 0, 0);
  EXPECT_TRUE(engine.Skin().isEmpty());

  engine.Attach(6, nullptr, false, 0, std::nullopt, std::nullopt, -80, -35, 20);
  EXPECT_EQ(engine.Skin(), SkinResource(0, 6));
  const QColor highlight = ResourceColour(engine.Skin(), QStringLiteral("Highlight"));
  EXPECT_EQ(QApplication::palette().color(QPalette::Highlight),
            ShiftColour(highlight, {-80, -35, 20}));
  EXPECT_NE(QApplication::palette().color(QPalette::Highlight), highlight);

  engine.Attach(3, nullptr, false, 1, std::nullopt, std::nullopt, 0, 0, 0);
  for (int number : {0, 9, -6}) {
    engine.Attach(number, nullptr, true, 0, 5, 0xff0000, 40, std::nullopt, std::nullopt);
    EXPECT_EQ(engine.Skin(), SkinResource(1, 3)) << number;
  }
  // The adjustments are still taken, omitted ones as 0, and the kept skin is applied with them.
  EXPECT_EQ(engine.Shift().hue, 40);
  EXPECT_EQ(engine.Shift().saturation, 0);
  EXPECT_EQ(engine.Shift().brightness, 0);
  const QColor window = ResourceColour(engine.Skin(), QStringLiteral("Window"));
  EXPECT_EQ(QApplication::palette().color(QPalette::Window), ShiftColour(window, {40, 0, 0}));
  qApp->setStyleSheet({});
}

TEST(SkinEngine, CallsTheEngineExportOnlyWhenTheLibraryExportsIt) {
  std::vector<std::tuple<std::uint32_t, QByteArray, std::string, int, int, int>> calls;
  const auto record = [&calls](std::uint32_t address, const QByteArray& skin,
                               const std::string& password, const ColourShift& shift) {
    calls.emplace_back(address, skin, password, shift.hue, shift.saturation, shift.brightness);
  };
  const MemoryModule noEngine;
  SkinEngine(noEngine, record)
      .Attach(6, nullptr, false, 0, std::nullopt, std::nullopt, -80, -35, 20);
  EXPECT_TRUE(calls.empty()) << "address 0: no call";

  test::PeBuilder builder;
  const std::uint32_t code = builder.Add({0xC2, 0x18, 0x00});  // ret 24
  builder.Export("SkinH_SetAero", code + 1).Export("SkinH_AttachRes", code);
  MemoryModule library;
  ASSERT_TRUE(library.Load(builder.Build().bytes));
  SkinEngine(library, record)
      .Attach(6, nullptr, false, 0, std::nullopt, std::nullopt, -80, -35, 20);
  ASSERT_EQ(calls.size(), 1U);
  EXPECT_EQ(calls[0], std::make_tuple(library.GetBase() + code, SkinResource(0, 6), std::string(),
                                      -80, -35, 20));
  qApp->setStyleSheet({});
}

}  // namespace
}  // namespace hosting::skin
