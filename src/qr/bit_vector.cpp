#include "qr/bit_vector.h"

#include <cassert>

#include "qr/qr_error.h"

namespace hosting::qr {

bool 位向量类::取位值(int index) const {
  if (index < 0 || index >= size_) {
    RaiseQrError(kClassName, "取位值", "索引超限");
  }
  return (bytes_[static_cast<std::size_t>(index / 8)] >> (7 - index % 8)) & 1;
}

void 位向量类::追加位(int bit) {
  if (bit != 0 && bit != 1) {
    RaiseQrError(kClassName, "追加位", "位数据只能是0或1");
  }
  AppendBits(static_cast<std::uint32_t>(bit), 1);
}

void 位向量类::AppendBits(std::uint32_t value, int numBits) {
  assert(numBits >= 0 && numBits <= 32);
  if (numBits == 8 && size_ % 8 == 0) {  // the common whole byte
    bytes_.push_back(static_cast<std::uint8_t>(value));
    size_ += 8;
    return;
  }
  // Fill the last byte's free bits, then whole bytes, most significant bits first.
  while (numBits > 0) {
    if (size_ % 8 == 0) {
      bytes_.push_back(0);
    }
    const int free = 8 - size_ % 8;
    const int take = free < numBits ? free : numBits;
    const auto chunk = (value >> (numBits - take)) & ((1U << take) - 1U);
    bytes_.back() = static_cast<std::uint8_t>(bytes_.back() | (chunk << (free - take)));
    size_ += take;
    numBits -= take;
  }
}

std::string 位向量类::到字符串() const {
  std::string text;
  text.reserve(static_cast<std::size_t>(size_));
  for (int i = 0; i < size_; ++i) {
    text += 取位值(i) ? '1' : '0';
  }
  return text;
}

}  // namespace hosting::qr
