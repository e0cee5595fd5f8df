#include "ui/skin/colour_shift.h"

#include <algorithm>

namespace hosting::skin {
namespace {

float Percent(int value) {
  return static_cast<float>(std::clamp(value, -100, 100)) / 100.0F;
}

}  // namespace

QColor ShiftColour(const QColor& colour, const ColourShift& shift) {
  float hue = 0;
  float saturation = 0;
  float lightness = 0;
  float alpha = 0;
  colour.toHsl().getHslF(&hue, &saturation, &lightness, &alpha);
  if (hue < 0) {
    hue = 0;  // achromatic: no hue to turn
  }
  const float turned = static_cast<float>(((shift.hue % 360) + 360) % 360) / 360.0F;
  float newHue = hue + turned;
  newHue -= newHue >= 1.0F ? 1.0F : 0.0F;
  const float newSaturation =
      std::clamp(saturation * (1.0F + Percent(shift.saturation)), 0.0F, 1.0F);
  const float b = Percent(shift.brightness);
  const float newLightness = b >= 0 ? lightness + (1.0F - lightness) * b : lightness * (1.0F + b);
  const QColor shifted =
      QColor::fromHslF(newHue, newSaturation, std::clamp(newLightness, 0.0F, 1.0F), alpha);
  return QColor::fromRgba(shifted.rgba());  // 8-bit RGB, as a style sheet writes it
}

}  // namespace hosting::skin
