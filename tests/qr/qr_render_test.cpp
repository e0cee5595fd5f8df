// Scaling the symbol into the picture, and the BMP file's bytes.

#include <gtest/gtest.h>

#include <string>

#include "qr/qr_front_end.h"
#include "qr/qr_module.h"
#include "qr_test_support.h"

namespace hosting::qr {
namespace {

TEST(QrRender, SymbolIsScaledByWholeModulesCentredOrCutToTheQuietZoneAndPaintedInItsColours) {
  struct Case {
    std::string text;
    int width, height, multiple, left, top, renderedWidth, renderedHeight;
  };
  for (const auto& c : {
           Case{std::string(40, 'v'), 300, 300, 9, 19, 19, 300, 300},  // version 3: 20 light right
           Case{"hello", 300, 200, 8, 66, 16, 300, 200},  // min(300 / 25, 200 / 25) = 8
           Case{"hello", 101, 260, 4, 8, 88, 101, 260},   // 101 / 25 = 4.04
           Case{"hello", 301, 133, 5, 98, 14, 301, 133},  // rows of 903 bytes padded to 904
           Case{"hello", 20, 20, 1, 2, 2, 25, 25},        // too small: the quiet-zone matrix
       }) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    const 二维码类 qr = EncodeSymbol(c.text, EcLevels()[0]);
    const 字节矩阵类 rendered = RenderMatrix(qr, c.width, c.height);
    ASSERT_EQ(std::pair(rendered.GetWidth(), rendered.GetHeight()),
              std::pair(c.renderedWidth, c.renderedHeight));
    // The picture has the asked size, cut from the top left of the rendered matrix.
    const auto [light, dark] =
        c.width == 301 ? std::pair(0x123456U, 0xA0B0C0U) : std::pair(kWhite, kBlack);
    const test::Picture picture =
        test::ReadBmp(创建二维码(c.text, "L", c.width, c.height, light, dark));
    ASSERT_EQ(std::pair(picture.width, picture.height), std::pair(c.width, c.height));
    const int size = qr.GetMatrixWidth() * c.multiple;
    for (int y = 0; y < rendered.GetHeight(); ++y) {
      for (int x = 0; x < rendered.GetWidth(); ++x) {
        const int mx = x - c.left, my = y - c.top;
        const bool inside = mx >= 0 && my >= 0 && mx < size && my < size;
        const int module = inside ? qr.GetMatrix().Get(mx / c.multiple, my / c.multiple) : 0;
        ASSERT_EQ(rendered.Get(x, y), module) << x << "," << y;
        ASSERT_TRUE(x >= c.width || y >= c.height || picture.At(x, y) == (module ? dark : light));
      }
    }
  }
}

}  // namespace
}  // namespace hosting::qr
