#include <algorithm>
#include <cstring>

#include "qr/qr_module.h"

namespace hosting::qr {

字节矩阵类 RenderMatrix(const 二维码类& qr, int width, int height) {
  const 字节矩阵类& symbol = qr.GetMatrix();
  const int n = symbol.GetWidth();
  const int qrWidth = n + 4;  // two modules of quiet zone on each side
  const int qrHeight = n + 4;
  const int outputWidth = std::max(width, qrWidth);
  const int outputHeight = std::max(height, qrHeight);
  const double widthRatio = static_cast<double>(outputWidth) / qrWidth;
  const double heightRatio = static_cast<double>(outputHeight) / qrHeight;
  const int multiple =
      static_cast<int>(heightRatio - widthRatio > 1e-07 ? widthRatio : heightRatio);
  const int leftPadding = static_cast<int>((outputWidth - n * multiple) / 2.0);
  const int topPadding = static_cast<int>((outputHeight - n * multiple) / 2.0);

  字节矩阵类 output(outputWidth, outputHeight);
  for (int y = 0; y < n; ++y) {
    const auto module = symbol.Row(y);
    const int top = topPadding + y * multiple;
    auto first = output.Row(top);
    for (int x = 0; x < n; ++x) {
      if (module[static_cast<std::size_t>(x)] == 1) {
        std::fill_n(first.begin() + leftPadding + x * multiple, multiple, std::int8_t{1});
      }
    }
    for (int k = 1; k < multiple; ++k) {
      std::copy(first.begin(), first.end(), output.Row(top + k).begin());
    }
  }
  return output;
}

}  // namespace hosting::qr
