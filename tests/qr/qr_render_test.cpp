// Scaling the symbol into the picture, and the BMP file's bytes.

#include <gtest/gtest.h>

#include <string>

#include "qr/qr_front_end.h"
#include "qr/qr_module.h"
#include "qr_test_support.h"

namespace hosting::qr {
namespace {

TEST(QrRender, SymbolIsScaledByWholeModulesAndCentredOrCutToTheQuietZone) {
  struct Case {
    std::string text;
    int width, height, multiple, left, top, renderedWidth, renderedHeight;
  };
  for (const auto& c : {
           Case{std::string(40, 'v'), 300, 300, 9, 19, 19, 300, 300},  // version 3: 20 light right
           Case{"hello", 300, 200, 8, 66, 16, 300, 200},  // min(300 / 25, 200 / 25) = 8
           Case{"hello", 101, 260, 4, 8, 88, 101, 260},   // 101 / 25 = 4.04
           Case{"hello", 20, 20, 1, 2, 2, 25, 25},        // too small: the quiet-zone matrix
       }) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    const 二维码类 qr = EncodeSymbol(c.text, EcLevels()[0]);
    const 字节矩阵类 rendered = RenderMatrix(qr, c.width, c.height);
    ASSERT_EQ(std::pair(rendered.GetWidth(), rendered.GetHeight()),
              std::pair(c.renderedWidth, c.renderedHeight));
    const int size = qr.GetMatrixWidth() * c.multiple;
    for (int y = 0; y < rendered.GetHeight(); ++y) {
      for (int x = 0; x < rendered.GetWidth(); ++x) {
        const int mx = x - c.left;
        const int my = y - c.top;
        const bool inside = mx >= 0 && my >= 0 && mx < size && my < size;
        ASSERT_EQ(rendered.Get(x, y),
                  inside ? qr.GetMatrix().Get(mx / c.multiple, my / c.multiple) : 0)
            << x << "," << y;
      }
    }
    // The picture has the asked size, cut from the top left of the rendered matrix.
    const test::Picture picture = test::ReadBmp(创建二维码(c.text, "L", c.width, c.height));
    ASSERT_EQ(std::pair(picture.width, picture.height), std::pair(c.width, c.height));
    for (int y = 0; y < c.height; ++y) {
      for (int x = 0; x < c.width; ++x) {
        ASSERT_EQ(picture.At(x, y), rendered.Get(x, y) == 1 ? kBlack : kWhite) << x << "," << y;
      }
    }
  }
}

TEST(QrRender, BitmapRowsArePaddedAndTakeTheColours) {
  const auto bmp = 创建二维码("hello", "M", 301, 133, 0x123456, 0xA0B0C0);
  ASSERT_EQ(bmp.size(), 54U + 904U * 133U);  // 301 * 3 = 903 bytes, padded to 904
  const test::Picture picture = test::ReadBmp(bmp);
  const 字节矩阵类 rendered = RenderMatrix(EncodeSymbol("hello", EcLevels()[1]), 301, 133);
  for (int y = 0; y < 133; ++y) {
    for (int x = 0; x < 301; ++x) {
      ASSERT_EQ(picture.At(x, y), rendered.Get(x, y) == 1 ? 0xA0B0C0U : 0x123456U) << x << "," << y;
    }
  }
  // Pixels beyond the cells stay light.
  字节矩阵类 cells(3, 2);
  cells.Clear(1);
  const test::Picture painted = test::ReadBmp(PaintBitmap(cells, 5, 4, kWhite, kBlack));
  for (int i = 0; i < 20; ++i) {
    EXPECT_EQ(painted.At(i % 5, i / 5), i % 5 < 3 && i / 5 < 2 ? kBlack : kWhite) << i;
  }
}

}  // namespace
}  // namespace hosting::qr
