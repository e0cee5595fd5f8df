// 创建二维码's arguments, defaults and error reports.

#include "qr/qr_front_end.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>

#include "qr/byte_matrix.h"
#include "qr_test_support.h"

namespace hosting::qr {
namespace {

QrError CaughtError(const std::function<void()>& action) {
  try {
    action();
  } catch (const QrError& error) {
    return error;
  }
  ADD_FAILURE() << "no QrError";
  return QrError(ErrorRecord{});
}

TEST(QrFrontEnd, ErrorReportsCarryTheExactTexts) {
  const std::string noContent =
      "异常来源：[二维码模块]\r\n方法名称：编码()\r\n异常信息：没有编码内容";
  for (const std::string_view blank : {"", " ", "   ", "\xE3\x80\x80", " \xE3\x80\x80 "}) {
    EXPECT_EQ(CaughtError([&] { 创建二维码(blank, "Q", 200, 200); }).report(), noContent);
  }
  const std::string badLevel =
      "异常来源：[二维码模块]\r\n方法名称：创建二维码()"
      "\r\n异常信息：容错等级必须为L、M、Q、H四个之一。";
  for (const std::string_view level : {" Q ", "", "X", "QQ", "Ｑ"}) {
    EXPECT_EQ(CaughtError([&] { 创建二维码("hello", level); }).report(), badLevel) << level;
  }
  const QrError notMatrix = CaughtError([] {
    字节矩阵类 matrix(2, 2);
    matrix.置字节矩阵({});
  });
  EXPECT_EQ(notMatrix.report(),
            "异常来源：[字节矩阵类]\r\n方法名称：置字节矩阵()\r\n异常信息：不是矩阵");
  EXPECT_EQ(notMatrix.source(), "字节矩阵类");
  EXPECT_EQ(notMatrix.method(), "置字节矩阵");
  EXPECT_EQ(notMatrix.message(), "不是矩阵");
  EXPECT_STREQ(notMatrix.what(), notMatrix.report().c_str());
  EXPECT_STREQ(kReportTitle, "程序运行异常提示");
  for (const auto& bad : std::vector<std::vector<std::vector<std::int8_t>>>{
           {{}}, {{1, 0}, {1}}, {{1, 1, 1}}, {{1}, {1}, {1}}}) {
    字节矩阵类 matrix(2, 2);
    EXPECT_EQ(CaughtError([&] { matrix.置字节矩阵(bad); }).message(), "不是矩阵");
  }
  const std::string tooLarge =
      "异常来源：[二维码模块]\r\n方法名称：创建二维码()\r\n异常信息：图片尺寸过大";
  EXPECT_EQ(CaughtError([] { 创建二维码("hello", "L", 100000, 1000); }).report(), tooLarge);
  EXPECT_EQ(CaughtError([] {
              创建二维码("hello", "L", std::numeric_limits<std::int64_t>::max(), 100);
            }).report(),
            tooLarge);
  EXPECT_EQ(CaughtError([] { 创建二维码("hello", "L", 400000, 1); }).report(), tooLarge);
}

TEST(QrFrontEnd, ByteMatrixTakesAnArrayIntoItsCorner) {
  字节矩阵类 matrix(3, 2);
  matrix.置字节矩阵({{1, -1}, {0, 1}});
  EXPECT_EQ(matrix.ToText(), "1,-1,0\r\n0,1,0");
  EXPECT_EQ(matrix.GetArray(), (std::vector<std::vector<std::int8_t>>{{1, -1, 0}, {0, 1, 0}}));
}

TEST(QrFrontEnd, LevelIsCaseInsensitiveAndDefaultsToL) {
  EXPECT_EQ(创建二维码("hello", "q", 120, 120), 创建二维码("hello", "Q", 120, 120));
  EXPECT_EQ(创建二维码("hello", std::nullopt, 120, 120), 创建二维码("hello", "L", 120, 120));
  EXPECT_NE(创建二维码("hello", "H", 120, 120), 创建二维码("hello", "L", 120, 120));
}

TEST(QrFrontEnd, MissingOrNonPositiveSizesBecome100) {
  const auto size = [](const std::vector<std::uint8_t>& bmp) {
    const test::Picture picture = test::ReadBmp(bmp);
    return std::pair(picture.width, picture.height);
  };
  EXPECT_EQ(size(创建二维码("hello")), std::pair(100, 100));
  EXPECT_EQ(size(创建二维码("hello", "M", 0, 0)), std::pair(100, 100));
  EXPECT_EQ(size(创建二维码("hello", "M", -5, -7)), std::pair(100, 100));
  EXPECT_EQ(size(创建二维码("hello", "M", 1, 1)), std::pair(1, 1));
  EXPECT_EQ(size(创建二维码("hello", "M", 640, std::nullopt)), std::pair(640, 100));
}

TEST(QrFrontEnd, BlanksCountOnlyForTheEmptinessCheck) {
  // The content is encoded with its blanks.
  const std::string text = " a b\xE3\x80\x80";
  EXPECT_EQ(test::DecodeBmp(创建二维码(text, "M", 200, 200)), text);
}

}  // namespace
}  // namespace hosting::qr
