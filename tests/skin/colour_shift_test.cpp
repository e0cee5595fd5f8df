#include "ui/skin/colour_shift.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace hosting::skin {
namespace {

// Channels may differ by one step: the shift works on floating-point HSL.
void ExpectNear(const QColor& actual, int red, int green, int blue) {
  EXPECT_LE(std::abs(actual.red() - red), 1) << actual.name().toStdString();
  EXPECT_LE(std::abs(actual.green() - green), 1) << actual.name().toStdString();
  EXPECT_LE(std::abs(actual.blue() - blue), 1) << actual.name().toStdString();
}

TEST(ColourShift, StartUpAdjustmentTurnsMagentaIntoBlue) {
  // #bd00c7 is HSL (297°, 100 %, 39 %); -80° and -35 % and +20 % give HSL (217°, 65 %, 51.2 %).
  ExpectNear(ShiftColour(QColor("#bd00c7"), {-80, -35, 20}), 50, 112, 211);
}

TEST(ColourShift, HueTurnsModuloAFullCircle) {
  const QColor red("#ff0000");
  ExpectNear(ShiftColour(red, {120, 0, 0}), 0, 255, 0);
  ExpectNear(ShiftColour(red, {-120, 0, 0}), 0, 0, 255);
  ExpectNear(ShiftColour(red, {360 * 3 + 240, 0, 0}), 0, 0, 255);
}

TEST(ColourShift, GreyHasNoHueToTurnAndSaturationScales) {
  ExpectNear(ShiftColour(QColor("#808080"), {-80, 50, 0}), 128, 128, 128);
  ExpectNear(ShiftColour(QColor("#c04040"), {0, -100, 0}), 128, 128, 128);
  // Saturation 50 % grows to 75 %: HSL (0°, 75 %, 50 %) is (223, 32, 32).
  ExpectNear(ShiftColour(QColor("#bf4040"), {0, 50, 0}), 223, 32, 32);
}

TEST(ColourShift, BrightnessMovesTowardsWhiteOrBlackAndKeepsAlpha) {
  ExpectNear(ShiftColour(QColor("#336699"), {0, 0, 100}), 255, 255, 255);
  ExpectNear(ShiftColour(QColor("#336699"), {0, 0, -100}), 0, 0, 0);
  ExpectNear(ShiftColour(QColor("#000000"), {0, 0, 50}), 128, 128, 128);
  ExpectNear(ShiftColour(QColor("#ffffff"), {0, 0, -50}), 128, 128, 128);
  // Out-of-range percentages act as the nearest limit.
  ExpectNear(ShiftColour(QColor("#336699"), {0, 0, 400}), 255, 255, 255);
  EXPECT_EQ(ShiftColour(QColor(10, 20, 30, 77), {40, 10, 10}).alpha(), 77);
}

}  // namespace
}  // namespace hosting::skin
