// Random bytes of any length, valid UTF-8 or not: a picture or a QrError, never a crash.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "qr/qr_front_end.h"
#include "qr_test_support.h"

namespace hosting::qr {
namespace {

TEST(QrFuzz, RandomBytesGiveAPictureOrAQrError) {
  std::mt19937 random(42);
  std::uniform_int_distribution<int> byte(0, 255);
  int pictures = 0;
  int errors = 0;
  for (int round = 0; round < 300; ++round) {
    const auto length = static_cast<std::size_t>(round < 20 ? round : random() % 3001);
    std::string text;
    for (std::size_t i = 0; i < length; ++i) {
      text += static_cast<char>(round % 3 == 0 ? byte(random) % 8 + ' ' : byte(random));
    }
    try {
      const auto bmp = 创建二维码(text, std::string(1, "LMQH"[round % 4]), 90 + round % 50, 90);
      ASSERT_EQ(bmp.size() > 54, true);
      ++pictures;
      if (round % 10 == 0 && length < 200) {
        EXPECT_EQ(test::DecodeBmp(创建二维码(text, "L", 400, 400)), text);
      }
    } catch (const QrError& error) {
      // Only blank texts and texts beyond a version-40 symbol are refused.
      EXPECT_TRUE(error.method() == "初始化二维码" || error.message() == "没有编码内容")
          << error.report();
      ++errors;
    }
  }
  EXPECT_GT(pictures, 100);
  EXPECT_GT(errors, 0);
}

}  // namespace
}  // namespace hosting::qr
