#include "qr/bit_vector_ext.h"

#include "qr/qr_error.h"

namespace hosting::qr {

void 位向量子类::AppendBitVector(const 位向量类& other) {
  const auto bytes = other.Bytes();
  const int size = other.GetSize();
  for (int i = 0; i < size / 8; ++i) {
    AppendByte(bytes[static_cast<std::size_t>(i)]);
  }
  if (size % 8 != 0) {
    AppendBits(static_cast<std::uint32_t>(bytes.back() >> (8 - size % 8)), size % 8);
  }
}

void 位向量子类::异或(const 位向量类& other) {
  if (other.GetSize() != GetSize()) {
    RaiseQrError(kClassName, "异或", "两个位向量长度不同，不能做异或运算。");
  }
  auto& mine = MutableBytes();
  const auto theirs = other.Bytes();
  for (std::size_t i = 0; i < mine.size(); ++i) {
    mine[i] ^= theirs[i];
  }
}

}  // namespace hosting::qr
