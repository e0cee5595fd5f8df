#include "qr/ec_level.h"

namespace hosting::qr {

const std::array<EcLevel, 4>& EcLevels() {
  static const std::array<EcLevel, 4> levels{EcLevel(1, 1, "L"), EcLevel(2, 0, "M"),
                                             EcLevel(3, 3, "Q"), EcLevel(4, 2, "H")};
  return levels;
}

}  // namespace hosting::qr
