#include "ui/skin/colour_shift.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace hosting::skin {
namespace {

TEST(ColourShift, TurnsHueScalesSaturationAndMovesBrightness) {
  const struct {
    const char* from;
    ColourShift shift;
    QColor expected;
  } cases[] = {
      // #bd00c7 is HSL (297°, 100 %, 39 %); the start-up adjustment gives HSL (217°, 65 %, 51 %).
      {"#bd00c7", {-80, -35, 20}, {50, 112, 211}},
      {"#ff0000", {120, 0, 0}, {0, 255, 0}},
      {"#ff0000", {-120, 0, 0}, {0, 0, 255}},
      {"#ff0000", {360 * 3 + 240, 0, 0}, {0, 0, 255}},  // modulo a full circle
      {"#808080", {-80, 50, 0}, {128, 128, 128}},       // grey has no hue to turn
      {"#c04040", {0, -100, 0}, {128, 128, 128}},
      {"#bf4040", {0, 50, 0}, {223, 32, 32}},  // saturation 50 % grows to 75 %
      {"#336699", {0, 0, 100}, {255, 255, 255}},
      {"#336699", {0, 0, -100}, {0, 0, 0}},
      {"#000000", {0, 0, 50}, {128, 128, 128}},
      {"#ffffff", {0, 0, -50}, {128, 128, 128}},
      {"#336699", {0, 0, 400}, {255, 255, 255}},  // out of range acts as the nearest limit
  };
  for (const auto& c : cases) {
    const QColor actual = ShiftColour(QColor(c.from), c.shift);
    // Channels may differ by one step: the shift works on floating-point HSL.
    EXPECT_LE(std::max({std::abs(actual.red() - c.expected.red()),
                        std::abs(actual.green() - c.expected.green()),
                        std::abs(actual.blue() - c.expected.blue())}),
              1)
        << c.from << " gave " << actual.name().toStdString();
  }
  EXPECT_EQ(ShiftColour(QColor(10, 20, 30, 77), {40, 10, 10}).alpha(), 77);
}

}  // namespace
}  // namespace hosting::skin
