#pragma once
// 位向量子类: a 位向量类 that can also take in another bit vector and be exclusive-ored with one.

#include "qr/bit_vector.h"

namespace hosting::qr {

class 位向量子类 : public 位向量类 {
 public:
  static constexpr const char* kClassName = "位向量子类";

  // Appends every bit of other, in order.
  void AppendBitVector(const 位向量类& other);
  // Exclusive or with other in place; raises when the lengths differ.
  void 异或(const 位向量类& other);
};

}  // namespace hosting::qr
