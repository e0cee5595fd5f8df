#include "qr/gf256.h"

namespace hosting::qr {

GF256::GF256(int primitive) {
  int x = 1;
  for (int i = 0; i < 255; ++i) {
    exp_[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(x);
    exp_[static_cast<std::size_t>(i + 255)] = static_cast<std::uint8_t>(x);
    log_[static_cast<std::size_t>(x)] = i;
    x <<= 1;
    if (x >= 0x100) {
      x ^= primitive;
    }
  }
  exp_[510] = exp_[0];
  exp_[511] = exp_[1];
}

const GF256& QrCodeField() {
  static const GF256 field(0x11D);
  return field;
}

const GF256& DataMatrixField() {
  static const GF256 field(0x12D);
  return field;
}

}  // namespace hosting::qr
