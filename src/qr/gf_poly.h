#pragma once
// GFP: a polynomial over a GF256 field, coefficients highest degree first. Leading zeros are
// stripped on construction; the zero polynomial is the single coefficient 0.

#include <cstdint>
#include <vector>

#include "qr/gf256.h"

namespace hosting::qr {

class GFP {
 public:
  static constexpr const char* kClassName = "GFP";

  // field must outlive the polynomial. An empty list gives the zero polynomial.
  GFP(const GF256& field, std::vector<std::uint8_t> coefficients);

  const GF256& Field() const { return *field_; }
  const std::vector<std::uint8_t>& Coefficients() const { return coefficients_; }
  int Degree() const { return static_cast<int>(coefficients_.size()) - 1; }
  bool IsZero() const { return coefficients_.front() == 0; }

  // Raises "GF256信息不相同" when the fields differ.
  GFP 加或减(const GFP& other) const;
  GFP Multiply(const GFP& other) const;
  GFP MultiplyScalar(std::uint8_t scalar) const;
  // This polynomial times coefficient * x^degree; raises "维度小于0" for a negative degree.
  GFP 叠加单项式(int degree, std::uint8_t coefficient) const;
  // coefficient * x^degree; raises "度小于0" for a negative degree.
  static GFP 构造单项式(const GF256& field, int degree, std::uint8_t coefficient);

 private:
  void RequireSameField(const GFP& other, const char* method) const;

  const GF256* field_;
  std::vector<std::uint8_t> coefficients_;
};

}  // namespace hosting::qr
