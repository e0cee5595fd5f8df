#include "qr/gf_poly.h"

#include <algorithm>
#include <utility>

#include "qr/qr_error.h"

namespace hosting::qr {

GFP::GFP(const GF256& field, std::vector<std::uint8_t> coefficients)
    : field_(&field), coefficients_(std::move(coefficients)) {
  const auto first = std::find_if(coefficients_.begin(), coefficients_.end(),
                                  [](std::uint8_t c) { return c != 0; });
  if (first == coefficients_.end()) {
    coefficients_.assign(1, 0);
  } else {
    coefficients_.erase(coefficients_.begin(), first);
  }
}

GFP GFP::加或减(const GFP& other) const {
  RequireSameField(other, "加或减");
  if (IsZero()) {
    return other;
  }
  if (other.IsZero()) {
    return *this;
  }
  const bool mineLonger = coefficients_.size() >= other.coefficients_.size();
  std::vector<std::uint8_t> sum = mineLonger ? coefficients_ : other.coefficients_;
  const auto& shorter = mineLonger ? other.coefficients_ : coefficients_;
  const std::size_t offset = sum.size() - shorter.size();
  for (std::size_t i = 0; i < shorter.size(); ++i) {
    sum[offset + i] = GF256::AddOrSubtract(sum[offset + i], shorter[i]);
  }
  return GFP(*field_, std::move(sum));
}

GFP GFP::Multiply(const GFP& other) const {
  RequireSameField(other, "Multiply");
  if (IsZero() || other.IsZero()) {
    return GFP(*field_, {0});
  }
  std::vector<std::uint8_t> product(coefficients_.size() + other.coefficients_.size() - 1, 0);
  for (std::size_t i = 0; i < coefficients_.size(); ++i) {
    for (std::size_t j = 0; j < other.coefficients_.size(); ++j) {
      product[i + j] ^= field_->Multiply(coefficients_[i], other.coefficients_[j]);
    }
  }
  return GFP(*field_, std::move(product));
}

GFP GFP::MultiplyScalar(std::uint8_t scalar) const {
  std::vector<std::uint8_t> scaled(coefficients_);
  for (auto& c : scaled) {
    c = field_->Multiply(c, scalar);
  }
  return GFP(*field_, std::move(scaled));
}

GFP GFP::叠加单项式(int degree, std::uint8_t coefficient) const {
  if (degree < 0) {
    RaiseQrError(kClassName, "叠加单项式", "维度小于0");
  }
  if (coefficient == 0) {
    return GFP(*field_, {0});
  }
  std::vector<std::uint8_t> product = MultiplyScalar(coefficient).coefficients_;
  product.resize(product.size() + static_cast<std::size_t>(degree), 0);
  return GFP(*field_, std::move(product));
}

GFP GFP::构造单项式(const GF256& field, int degree, std::uint8_t coefficient) {
  if (degree < 0) {
    RaiseQrError(kClassName, "构造单项式", "度小于0");
  }
  if (coefficient == 0) {
    return GFP(field, {0});
  }
  std::vector<std::uint8_t> monomial(static_cast<std::size_t>(degree) + 1, 0);
  monomial.front() = coefficient;
  return GFP(field, std::move(monomial));
}

void GFP::RequireSameField(const GFP& other, const char* method) const {
  if (field_ != other.field_) {
    RaiseQrError(kClassName, method, "GF256信息不相同");
  }
}

}  // namespace hosting::qr
