#include "ui/skin/skin_engine.h"

#include <gtest/gtest.h>

#include <QDialog>
#include <QMainWindow>
#include <array>

#include "skin/pe_builder.h"
#include "skin/skin_test_support.h"
#include "ui/skin/memory_module.h"
#include "ui/skin/skin_resources.h"

namespace hosting::skin {
namespace {

using test::ResourceColour;
using test::TestApplication;

QColor CentrePixel(QWidget& widget) {
  const QImage image = widget.grab().toImage();
  return image.pixelColor(image.width() / 2, image.height() / 2);
}

class SkinEngineTest : public ::testing::Test {
 protected:
  void SetUp() override { TestApplication(); }
  void TearDown() override { qApp->setStyleSheet({}); }

  MemoryModule module_;  // nothing mapped: the engine export is never found
};

TEST(SkinResources, EverySkinHasItsSizeAndAPalette) {
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

TEST_F(SkinEngineTest, StartUpAttachPicksSkinSixOfSetBAndShiftsItsPalette) {
  SkinEngine engine(module_);
  engine.Attach(6, nullptr, false, 0, std::nullopt, std::nullopt, -80, -35, 20);

  EXPECT_EQ(engine.Skin(), SkinResource(0, 6));
  EXPECT_EQ(engine.Skin().size(), 3535);
  EXPECT_EQ(engine.Shift().hue, -80);
  EXPECT_EQ(engine.Shift().saturation, -35);
  EXPECT_EQ(engine.Shift().brightness, 20);
  const QColor highlight = ResourceColour(engine.Skin(), QStringLiteral("Highlight"));
  EXPECT_EQ(QApplication::palette().color(QPalette::Highlight),
            ShiftColour(highlight, engine.Shift()));
  EXPECT_NE(QApplication::palette().color(QPalette::Highlight), highlight);
}

TEST_F(SkinEngineTest, NumberOutsideOneToEightKeepsThePreviousSkin) {
  SkinEngine engine(module_);
  engine.Attach(0, nullptr, false, 0, std::nullopt, std::nullopt, 10, 0, 0);
  EXPECT_TRUE(engine.Skin().isEmpty());

  engine.Attach(3, nullptr, false, 1, std::nullopt, std::nullopt, 0, 0, 0);
  for (int number : {0, 9, -6}) {
    engine.Attach(number, nullptr, true, 0, 5, 0xff0000, 40, std::nullopt, std::nullopt);
    EXPECT_EQ(engine.Skin(), SkinResource(1, 3));
  }
  // The adjustments are still taken, omitted ones as 0, and the kept skin is applied with them.
  EXPECT_EQ(engine.Shift().hue, 40);
  EXPECT_EQ(engine.Shift().saturation, 0);
  const QColor window = ResourceColour(engine.Skin(), QStringLiteral("Window"));
  EXPECT_EQ(QApplication::palette().color(QPalette::Window), ShiftColour(window, engine.Shift()));
}

TEST_F(SkinEngineTest, WindowsOpenedAfterTheAttachCarryTheShiftedLook) {
  SkinEngine engine(module_);
  engine.Attach(6, nullptr, false, 0, std::nullopt, std::nullopt, -80, -35, 20);
  const QColor expected =
      ShiftColour(ResourceColour(engine.Skin(), QStringLiteral("Window")), engine.Shift());

  QMainWindow mainWindow;
  mainWindow.resize(200, 120);
  QDialog dialog;
  dialog.resize(120, 80);
  EXPECT_EQ(CentrePixel(mainWindow), expected);
  EXPECT_EQ(CentrePixel(dialog), expected);
}

TEST_F(SkinEngineTest, CallsTheEngineExportOnlyWhenTheLibraryExportsIt) {
  struct Call {
    std::uint32_t address;
    QByteArray skin;
    std::string password;
    ColourShift shift;
  };
  std::vector<Call> calls;
  const auto record = [&calls](std::uint32_t address, const QByteArray& skin,
                               const std::string& password, const ColourShift& shift) {
    calls.push_back({address, skin, password, shift});
  };

  SkinEngine withoutLibrary(module_, record);
  withoutLibrary.Attach(6, nullptr, false, 0, std::nullopt, std::nullopt, -80, -35, 20);
  EXPECT_TRUE(calls.empty()) << "address 0: no call";

  test::PeBuilder builder;
  const std::uint32_t code = builder.AddSection({0xC2, 0x18, 0x00});  // ret 24
  builder.Export("SkinH_SetAero", code).Export("SkinH_AttachRes", code);
  MemoryModule library;
  ASSERT_TRUE(library.Load(builder.Build().bytes));
  SkinEngine engine(library, record);
  engine.Attach(6, nullptr, false, 0, std::nullopt, std::nullopt, -80, -35, 20);
  ASSERT_EQ(calls.size(), 1U);
  EXPECT_EQ(calls[0].address, library.GetBase() + code);
  EXPECT_EQ(calls[0].skin.size(), 3535);
  EXPECT_EQ(calls[0].skin, SkinResource(0, 6));
  EXPECT_EQ(calls[0].password, "");
  EXPECT_EQ(calls[0].shift.hue, -80);
  EXPECT_EQ(calls[0].shift.saturation, -35);
  EXPECT_EQ(calls[0].shift.brightness, 20);
}

}  // namespace
}  // namespace hosting::skin
