#pragma once
// GFPP: a GFP that can be divided by another polynomial.

#include <utility>

#include "qr/gf_poly.h"

namespace hosting::qr {

class GFPP : public GFP {
 public:
  static constexpr const char* kClassName = "GFPP";

  using GFP::GFP;
  explicit GFPP(GFP polynomial) : GFP(std::move(polynomial)) {}

  // Long division: returns {quotient, remainder}. Raises "GF256不同" when the fields differ and
  // "除数为0" for a zero divisor.
  std::pair<GFPP, GFPP> 分离(const GFP& divisor) const;
};

}  // namespace hosting::qr
