#pragma once
// The sixteen skin resources carried inside the program, in two sets of eight. Each is a Qt style
// sheet for the whole application whose leading "palette" comment lists the palette colours.

#include <QByteArray>

namespace hosting::skin {

inline constexpr int kSkinsPerSet = 8;

// Resource `number` (1-8) of set A when `setSwitch` is 1, else of set B; empty for any other
// number.
QByteArray SkinResource(int setSwitch, int number);

}  // namespace hosting::skin
