#include "qr/gf_poly_divisible.h"

#include <vector>

#include "qr/qr_error.h"

namespace hosting::qr {

std::pair<GFPP, GFPP> GFPP::分离(const GFP& divisor) const {
  if (&Field() != &divisor.Field()) {
    RaiseQrError(kClassName, "分离", "GF256不同");
  }
  if (divisor.IsZero()) {
    RaiseQrError(kClassName, "分离", "除数为0");
  }
  const GF256& field = Field();
  const auto& d = divisor.Coefficients();
  std::vector<std::uint8_t> remainder = Coefficients();
  if (remainder.size() < d.size()) {
    return {GFPP(field, {0}), GFPP(field, std::move(remainder))};
  }
  // Each step cancels the leading term of the remainder with scale * x^shift * divisor; the
  // leading coefficients sit in place so no intermediate polynomial is built.
  const std::size_t steps = remainder.size() - d.size() + 1;
  std::vector<std::uint8_t> quotient(steps, 0);
  const std::uint8_t inverseLead = field.Inverse(d.front());
  // The divisor's non-zero terms as (position, logarithm), so each step is one table lookup.
  std::vector<std::pair<std::size_t, int>> terms;
  for (std::size_t j = 0; j < d.size(); ++j) {
    if (d[j] != 0) {
      terms.emplace_back(j, field.Log(d[j]));
    }
  }
  for (std::size_t i = 0; i < steps; ++i) {
    if (remainder[i] == 0) {
      continue;
    }
    const std::uint8_t scale = field.Multiply(remainder[i], inverseLead);
    quotient[i] = scale;
    const int logScale = field.Log(scale);
    for (const auto& [j, logD] : terms) {
      remainder[i + j] ^= field.MultiplyLogs(logScale, logD);
    }
  }
  remainder.erase(remainder.begin(), remainder.begin() + static_cast<std::ptrdiff_t>(steps));
  return {GFPP(field, std::move(quotient)), GFPP(field, std::move(remainder))};
}

}  // namespace hosting::qr
