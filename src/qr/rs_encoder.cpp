#include "qr/rs_encoder.h"

#include <algorithm>

#include "qr/qr_error.h"

namespace hosting::qr {
namespace {

GFPP NextGenerator(const GFPP& previous, const GF256& field, int degree) {
  const GFP binomial =
      GFP::构造单项式(field, 1, 1).加或减(GFP::构造单项式(field, 0, field.Exp(degree - 1)));
  return GFPP(previous.Multiply(binomial));
}

}  // namespace

RS编码器类::RS编码器类(const GF256& field) : field_(field) {
  if (&field != &QrCodeField()) {
    RaiseQrError(kClassName, "RS编码器", "GF标识不相同");
  }
  generators_.reserve(kCachedDegree + 1);
  generators_.emplace_back(field, std::vector<std::uint8_t>{1});
  for (int degree = 1; degree <= kCachedDegree; ++degree) {
    generators_.push_back(NextGenerator(generators_.back(), field, degree));
  }
}

GFPP RS编码器类::Generator(int degree) const {
  if (degree < static_cast<int>(generators_.size())) {
    return generators_[static_cast<std::size_t>(degree)];
  }
  GFPP generator = generators_.back();
  for (int k = static_cast<int>(generators_.size()); k <= degree; ++k) {
    generator = NextGenerator(generator, field_, k);
  }
  return generator;
}

void RS编码器类::编码(std::span<std::uint8_t> block, int ecBytes) const {
  if (ecBytes == 0) {
    RaiseQrError(kClassName, "编码", "没有容错字节");
  }
  const auto dataBytes = static_cast<std::ptrdiff_t>(block.size()) - ecBytes;
  if (dataBytes <= 0) {
    RaiseQrError(kClassName, "编码", "未提供数据字节");
  }
  const auto data = block.first(static_cast<std::size_t>(dataBytes));
  const GFPP info(field_, std::vector<std::uint8_t>(data.begin(), data.end()));
  const GFPP shifted(info.叠加单项式(ecBytes, 1));
  const auto remainder = shifted.分离(Generator(ecBytes)).second.Coefficients();
  // Right-aligned: a short remainder leaves leading zero codewords.
  const auto ec = block.subspan(static_cast<std::size_t>(dataBytes));
  std::fill(ec.begin(), ec.end(), 0);
  const auto zeros = static_cast<std::ptrdiff_t>(ec.size() - remainder.size());
  if (!(remainder.size() == 1 && remainder.front() == 0)) {
    std::copy(remainder.begin(), remainder.end(), ec.begin() + zeros);
  }
}

const RS编码器类& QrReedSolomon() {
  static const RS编码器类 encoder(QrCodeField());
  return encoder;
}

}  // namespace hosting::qr
