#include "qr/qr_mode.h"

namespace hosting::qr {
namespace {

struct ModeTable {
  QrMode numeric{"数字", {10, 12, 14}, 1};
  QrMode alphanumeric{"字母数字", {9, 11, 13}, 2};
  QrMode byte{"字节", {8, 16, 16}, 4};
};

const ModeTable& Modes() {
  static const ModeTable table;
  return table;
}

}  // namespace

int QrMode::GetCharacterCountBits(int version) const {
  const std::size_t range = version <= 9 ? 0 : (version <= 26 ? 1 : 2);
  return countBits_[range];
}

const QrMode& QrMode::Numeric() {
  return Modes().numeric;
}
const QrMode& QrMode::Alphanumeric() {
  return Modes().alphanumeric;
}
const QrMode& QrMode::Byte() {
  return Modes().byte;
}

}  // namespace hosting::qr
