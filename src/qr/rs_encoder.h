#pragma once
// RS编码器类: Reed-Solomon error-correction codewords over the QR field. The generator
// polynomials up to kCachedDegree are built at construction; the object is immutable and may be
// shared between threads.

#include <cstdint>
#include <span>
#include <vector>

#include "qr/gf_poly_divisible.h"

namespace hosting::qr {

class RS编码器类 {
 public:
  static constexpr const char* kClassName = "RS编码器类";
  // The largest number of EC codewords per block in a QR symbol.
  static constexpr int kCachedDegree = 30;

  // Raises "GF标识不相同" for any field but the 0x11D one.
  explicit RS编码器类(const GF256& field);

  // The generator (x + 1)(x + 2)...(x + 2^(degree-1)).
  GFPP Generator(int degree) const;
  // block holds the data bytes followed by room for ecBytes codewords, which are written there.
  // Raises "没有容错字节" when ecBytes is 0 and "未提供数据字节" when no data byte is left.
  void 编码(std::span<std::uint8_t> block, int ecBytes) const;

 private:
  const GF256& field_;
  std::vector<GFPP> generators_;
};

// The encoder of the QR field, built once on first use.
const RS编码器类& QrReedSolomon();

}  // namespace hosting::qr
