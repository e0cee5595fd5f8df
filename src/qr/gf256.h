#pragma once
// GF256: the Galois field GF(2^8) built from a primitive polynomial, generator element 2.
// Immutable after construction; QR codes use the 0x11D field.

#include <array>
#include <cstdint>

namespace hosting::qr {

class GF256 {
 public:
  static constexpr const char* kClassName = "GF256";

  explicit GF256(int primitive);

  // 2^n for n >= 0.
  std::uint8_t Exp(int n) const { return exp_[static_cast<std::size_t>(n % 255)]; }
  // Logarithm of a non-zero element.
  int Log(std::uint8_t a) const { return log_[a]; }
  // Multiplicative inverse of a non-zero element.
  std::uint8_t Inverse(std::uint8_t a) const { return Exp(255 - Log(a)); }
  std::uint8_t Multiply(std::uint8_t a, std::uint8_t b) const {
    return (a == 0 || b == 0) ? 0 : exp_[static_cast<std::size_t>(log_[a] + log_[b])];
  }
  // The product of two non-zero elements given by their logarithms.
  std::uint8_t MultiplyLogs(int logA, int logB) const {
    return exp_[static_cast<std::size_t>(logA + logB)];
  }
  static std::uint8_t AddOrSubtract(std::uint8_t a, std::uint8_t b) {
    return static_cast<std::uint8_t>(a ^ b);
  }

 private:
  // Doubled so that Multiply needs no modulo.
  std::array<std::uint8_t, 512> exp_{};
  std::array<int, 256> log_{};
};

// The two fields, built once on first use.
const GF256& QrCodeField();      // 0x11D
const GF256& DataMatrixField();  // 0x12D

}  // namespace hosting::qr
