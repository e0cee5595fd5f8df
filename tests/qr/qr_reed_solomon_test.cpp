// The Reed-Solomon encoder past the generators a symbol needs; division is exact.

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "qr/gf256.h"
#include "qr/gf_poly_divisible.h"
#include "qr/rs_encoder.h"

namespace hosting::qr {
namespace {

// Symbols ask for at most 30 EC bytes, and zxing reads every kind back (QrDecode); 34 takes the
// generators built past the cached ones.
TEST(QrReedSolomon, CodewordsVanishAtTheRootsOfAGeneratorPastTheCachedOnes) {
  const GF256& field = QrCodeField();
  EXPECT_EQ(DataMatrixField().Exp(8), 0x2D);  // x^8 under 0x12D, the field only errors use
  std::mt19937 random(7);
  constexpr int kEc = RS编码器类::kCachedDegree + 4;
  for (const std::size_t dataBytes : {1U, 3U, 55U}) {
    std::vector<std::uint8_t> block(dataBytes + kEc, 0xA5);
    std::generate_n(block.begin(), dataBytes, [&] { return random() % 256; });
    QrReedSolomon().编码(block, kEc);
    for (int i = 0; i < kEc; ++i) {  // Horner evaluation at 2^i, highest degree first
      std::uint8_t value = 0;
      for (const std::uint8_t c : block)
        value = static_cast<std::uint8_t>(field.Multiply(value, field.Exp(i)) ^ c);
      ASSERT_EQ(value, 0) << dataBytes << " " << i;
    }
  }
}

// Division gives the dividend back as quotient * divisor + remainder, a shorter dividend too.
TEST(QrReedSolomon, DivisionRebuildsTheDividend) {
  const GF256& field = QrCodeField();
  const std::vector<std::uint8_t> longer(30, 0x53), shorter{9, 8, 7, 6},
      divisor{1, 0x1D, 0, 0xFF, 3, 2, 1, 5, 4};
  for (const auto& [top, bottom] :
       {std::pair{longer, divisor}, {shorter, divisor}, {shorter, shorter}}) {
    const auto [quotient, remainder] = GFPP(field, top).分离(GFP(field, bottom));
    EXPECT_LT(remainder.Degree(), std::max(GFP(field, bottom).Degree(), 1));
    EXPECT_EQ(quotient.Multiply(GFP(field, bottom)).加或减(remainder).Coefficients(), top);
  }
}

}  // namespace
}  // namespace hosting::qr
