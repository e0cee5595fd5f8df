#pragma once
// Turns a skin resource into what Qt applies: the style sheet and the palette, every "#rrggbb"
// colour in both shifted by the attach's colour adjustments.

#include <QByteArray>
#include <QPalette>
#include <QString>

#include "ui/skin/colour_shift.h"

namespace hosting::skin {

struct SkinStyle {
  QPalette palette;
  QString styleSheet;
};

// The resource's text with every colour shifted, and the palette read from its leading comment
//   /* palette
//   Role #rrggbb          (a QPalette::ColorRole name, for all colour groups)
//   Disabled:Role #rrggbb (that role of the disabled group only)
//   */
// Unknown roles and malformed lines are skipped; roles not listed keep the application's palette.
SkinStyle MakeSkinStyle(const QByteArray& resource, const ColourShift& shift);

// Makes `style` the look of the whole application: every widget now and every one created later.
void ApplySkinStyle(const SkinStyle& style);

}  // namespace hosting::skin
