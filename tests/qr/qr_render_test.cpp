// Scaling the symbol into the picture and writing the BMP file.

#include <gtest/gtest.h>

#include <string>

#include "qr/qr_front_end.h"
#include "qr/qr_module.h"
#include "qr_test_support.h"

namespace hosting::qr {
namespace {

const EcLevel& LevelL() {
  return EcLevels().front();
}

// Expects `picture` to show `symbol` scaled by multiple with the given padding (light around).
void ExpectScaled(const 字节矩阵类& rendered, const 字节矩阵类& symbol, int multiple, int left,
                  int top) {
  for (int y = 0; y < rendered.GetHeight(); ++y) {
    for (int x = 0; x < rendered.GetWidth(); ++x) {
      const int mx = x - left;
      const int my = y - top;
      const bool inSymbol = mx >= 0 && my >= 0 && mx < symbol.GetWidth() * multiple &&
                            my < symbol.GetHeight() * multiple;
      const int expected = inSymbol ? symbol.Get(mx / multiple, my / multiple) : 0;
      ASSERT_EQ(rendered.Get(x, y), expected) << x << "," << y;
    }
  }
}

TEST(QrRender, Version3In300By300ScalesByNineWithPadding19) {
  const 二维码类 qr = EncodeSymbol(std::string(40, 'v'), LevelL());
  ASSERT_EQ(qr.GetMatrixWidth(), 29);
  const 字节矩阵类 rendered = RenderMatrix(qr, 300, 300);
  ASSERT_EQ(rendered.GetWidth(), 300);
  ASSERT_EQ(rendered.GetHeight(), 300);
  ExpectScaled(rendered, qr.GetMatrix(), 9, 19, 19);  // 20 light pixels right and below
}

TEST(QrRender, SmallPictureShowsTheTopLeftOfTheQuietZoneMatrix) {
  const 二维码类 qr = EncodeSymbol("hello", LevelL());
  ASSERT_EQ(qr.GetMatrixWidth(), 21);
  const 字节矩阵类 rendered = RenderMatrix(qr, 20, 20);
  ASSERT_EQ(rendered.GetWidth(), 25);
  ASSERT_EQ(rendered.GetHeight(), 25);
  ExpectScaled(rendered, qr.GetMatrix(), 1, 2, 2);

  const test::Picture picture = test::ReadBmp(创建二维码("hello", "L", 20, 20));
  ASSERT_EQ(picture.width, 20);
  ASSERT_EQ(picture.height, 20);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      ASSERT_EQ(picture.At(x, y), rendered.Get(x, y) == 1 ? kBlack : kWhite) << x << "," << y;
    }
  }
}

TEST(QrRender, WidePictureKeepsTheSymbolSquareAndCentred) {
  const 二维码类 qr = EncodeSymbol("hello", LevelL());
  const 字节矩阵类 rendered = RenderMatrix(qr, 300, 200);
  ASSERT_EQ(rendered.GetWidth(), 300);
  ASSERT_EQ(rendered.GetHeight(), 200);
  // min(300 / 25, 200 / 25) = 8; (300 - 168) / 2 = 66, (200 - 168) / 2 = 16.
  ExpectScaled(rendered, qr.GetMatrix(), 8, 66, 16);
  const 字节矩阵类 tall = RenderMatrix(qr, 101, 260);
  ExpectScaled(tall, qr.GetMatrix(), 4, 8, 88);  // 101/25 = 4.04: (101-84)/2, (260-84)/2
}

TEST(QrRender, BitmapHasTheRequestedSizeColoursAndRowPadding) {
  const RgbColour light = 0x123456;
  const RgbColour dark = 0xA0B0C0;
  const auto bmp = 创建二维码("hello", "M", 301, 133, light, dark);
  ASSERT_EQ(bmp[0], 'B');
  ASSERT_EQ(bmp[1], 'M');
  ASSERT_EQ(bmp.size(), 54U + 904U * 133U);  // 301 * 3 = 903 bytes, padded to 904
  const test::Picture picture = test::ReadBmp(bmp);
  ASSERT_EQ(picture.width, 301);
  ASSERT_EQ(picture.height, 133);
  const 二维码类 qr = EncodeSymbol("hello", EcLevels()[1]);
  const 字节矩阵类 rendered = RenderMatrix(qr, 301, 133);
  for (int y = 0; y < 133; ++y) {
    for (int x = 0; x < 301; ++x) {
      ASSERT_EQ(picture.At(x, y), rendered.Get(x, y) == 1 ? dark : light) << x << "," << y;
    }
  }
  // Top-left finder: the picture's first dark pixel is at the padding.
  const int multiple = 133 / 25;
  const int top = (133 - 21 * multiple) / 2;
  const int left = (301 - 21 * multiple) / 2;
  EXPECT_EQ(picture.At(left, top), dark);
  EXPECT_EQ(picture.At(left - 1, top), light);
  EXPECT_EQ(picture.At(left, top - 1), light);
}

TEST(QrRender, PaintBitmapLeavesPixelsOutsideTheMatrixLight) {
  字节矩阵类 cells(3, 2);
  cells.Clear(1);
  const test::Picture picture = test::ReadBmp(PaintBitmap(cells, 5, 4, kWhite, kBlack));
  for (int y = 0; y < 4; ++y) {
    for (int x = 0; x < 5; ++x) {
      EXPECT_EQ(picture.At(x, y), x < 3 && y < 2 ? kBlack : kWhite) << x << "," << y;
    }
  }
}

}  // namespace
}  // namespace hosting::qr
