#pragma once
// The colour adjustments of a skin: hue rotated by degrees, saturation and brightness moved by
// percent.

#include <QColor>

namespace hosting::skin {

struct ColourShift {
  int hue = 0;         // degrees, any value (taken modulo 360)
  int saturation = 0;  // percent, -100 (grey) .. +100 (twice as saturated, capped)
  int brightness = 0;  // percent, -100 (black) .. +100 (white)
};

// Shifts one colour in HSL: hue + shift.hue; saturation scaled by (100 + saturation)%; lightness
// moved that many percent of the way towards white (positive) or black (negative). Alpha stays.
// The result is an 8-bit RGB colour.
QColor ShiftColour(const QColor& colour, const ColourShift& shift);

}  // namespace hosting::skin
