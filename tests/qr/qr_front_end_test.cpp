// 创建二维码: its arguments and defaults, the symbol scaled into the picture, and the QrError
// reports with their exact text.

#include "qr/qr_front_end.h"

#include <gtest/gtest.h>

#include <functional>
#include <limits>
#include <string>

#include "qr/qr_error.h"
#include "qr/qr_module.h"
#include "qr_test_support.h"

namespace hosting::qr {
namespace {

TEST(QrFrontEnd, LevelSizeAndBlanks) {
  EXPECT_NE(创建二维码("hello", "H", 120, 120), 创建二维码("hello", "L", 120, 120));
  const auto size = [](std::optional<std::int64_t> width, std::optional<std::int32_t> height) {
    const test::Picture picture = test::ReadBmp(创建二维码("hello", "M", width, height));
    return std::pair(picture.width, picture.height);
  };
  // Missing or non-positive sizes become 100.
  EXPECT_EQ(std::vector({size({}, {}), size(0, -7), size(-5, 1), size(640, {})}),
            std::vector({std::pair(100, 100), std::pair(100, 100), std::pair(100, 1),
                         std::pair(640, 100)}));
  // Blanks count only for the emptiness check: the content is encoded with them.
  EXPECT_EQ(test::DecodeBmp(创建二维码(" a b\xE3\x80\x80", "M", 200, 200)), " a b\xE3\x80\x80");
}

// The reports a caller can provoke; the encoder's inner guards stop only its own mistakes.
TEST(QrFrontEnd, EveryErrorReportHasItsExactText) {
  using Case = std::tuple<std::function<void()>, const char*, const char*, const char*>;
  std::vector<Case> cases = {
      {[] { 创建二维码("", "Q", 200, 200); }, "二维码模块", "编码", "没有编码内容"},
      {[] { 创建二维码(" \xE3\x80\x80 ", "Q"); }, "二维码模块", "编码", "没有编码内容"},
      {[] { 创建二维码("a", "L", std::numeric_limits<std::int64_t>::max(), 9); }, "二维码模块",
       "创建二维码", "图片尺寸过大"},
      {[] { 创建二维码("a", "L", static_cast<std::int64_t>(kMaxPictureBytes / (177 + 4) + 1), 1); },
       "二维码模块", "创建二维码", "图片尺寸过大"},
      {[] { 创建二维码(std::string(2954, 'a'), "L"); }, "编码类", "初始化二维码", ""}};
  for (const char* level : {"Ｑ", " Q ", "", "QQ", "X"}) {
    cases.emplace_back([level] { 创建二维码("hello", level); }, "二维码模块", "创建二维码",
                       "容错等级必须为L、M、Q、H四个之一。");
  }
  for (const auto& [action, source, method, message] : cases) {
    std::string report = "no error";
    try {
      action();
    } catch (const QrError& error) {
      report = error.report();
    }
    EXPECT_EQ(report, std::string("异常来源：[") + source + "]\r\n方法名称：" + method +
                          "()\r\n异常信息：" + message);
  }
}

TEST(QrRender, SymbolIsScaledByWholeModulesCentredOrCutToTheQuietZone) {
  struct Case {
    std::string text;
    int width, height, multiple, left, top, renderedWidth, renderedHeight;
  };
  for (const auto& c : {
           Case{std::string(40, 'v'), 300, 300, 9, 19, 19, 300, 300},  // version 3: 20 light right
           Case{"hello", 300, 200, 8, 66, 16, 300, 200},  // min(300 / 25, 200 / 25) = 8
           Case{"hello", 301, 133, 5, 98, 14, 301, 133},  // rows of 903 bytes padded to 904
           Case{"hello", 20, 20, 1, 2, 2, 25, 25},        // too small: the quiet-zone matrix
       }) {
    SCOPED_TRACE(testing::Message() << c.width << "x" << c.height);
    const 二维码类 qr = EncodeSymbol(c.text, EcLevels()[0]);
    const 字节矩阵类 rendered = RenderMatrix(qr, c.width, c.height);
    ASSERT_EQ(std::pair(rendered.GetWidth(), rendered.GetHeight()),
              std::pair(c.renderedWidth, c.renderedHeight));
    // The picture has the asked size, cut from the top left of the rendered matrix.
    const test::Picture picture = test::ReadBmp(创建二维码(c.text, "L", c.width, c.height));
    ASSERT_EQ(std::pair(picture.width, picture.height), std::pair(c.width, c.height));
    const int size = qr.GetMatrixWidth() * c.multiple;
    for (int y = 0; y < rendered.GetHeight(); ++y) {
      for (int x = 0; x < rendered.GetWidth(); ++x) {
        const int mx = x - c.left, my = y - c.top;
        const bool inside = mx >= 0 && my >= 0 && mx < size && my < size;
        const int module = inside ? qr.GetMatrix().Get(mx / c.multiple, my / c.multiple) : 0;
        ASSERT_EQ(rendered.Get(x, y), module) << x << "," << y;
        ASSERT_TRUE(x >= c.width || y >= c.height ||
                    picture.At(x, y) == (module ? kBlack : kWhite));
      }
    }
  }
}

}  // namespace
}  // namespace hosting::qr
