#include "qr_test_support.h"

#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

#include "qr/qr_error.h"

namespace hosting::qr::test {
namespace {

std::uint32_t LittleEndian(const std::vector<std::uint8_t>& file, std::size_t at, int bytes) {
  std::uint32_t value = 0;
  for (int i = bytes - 1; i >= 0; --i) {
    value = (value << 8) | file.at(at + static_cast<std::size_t>(i));
  }
  return value;
}

}  // namespace

Picture ReadBmp(const std::vector<std::uint8_t>& file) {
  Picture picture;
  EXPECT_GE(file.size(), 54U);
  if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') {
    ADD_FAILURE() << "not a BMP file";
    return picture;
  }
  EXPECT_EQ(LittleEndian(file, 2, 4), file.size());
  EXPECT_EQ(LittleEndian(file, 14, 4), 40U);
  EXPECT_EQ(LittleEndian(file, 28, 2), 24U);
  EXPECT_EQ(LittleEndian(file, 30, 4), 0U);
  const auto offset = LittleEndian(file, 10, 4);
  picture.width = static_cast<int>(LittleEndian(file, 18, 4));
  picture.height = static_cast<int>(LittleEndian(file, 22, 4));
  const std::size_t stride = (static_cast<std::size_t>(picture.width) * 3 + 3) / 4 * 4;
  EXPECT_EQ(file.size(), offset + stride * static_cast<std::size_t>(picture.height));
  if (file.size() != offset + stride * static_cast<std::size_t>(picture.height)) {
    return picture;
  }
  picture.pixels.reserve(static_cast<std::size_t>(picture.width) *
                         static_cast<std::size_t>(picture.height));
  for (int y = 0; y < picture.height; ++y) {
    const std::size_t row = offset + stride * static_cast<std::size_t>(picture.height - 1 - y);
    for (int x = 0; x < picture.width; ++x) {
      const std::size_t at = row + 3 * static_cast<std::size_t>(x);
      picture.pixels.push_back(
          static_cast<std::uint32_t>(file[at + 2] << 16 | file[at + 1] << 8 | file[at]));
    }
  }
  return picture;
}

std::optional<std::string> DecodeBmp(const std::vector<std::uint8_t>& file) {
  const Picture picture = ReadBmp(file);
  std::vector<std::uint8_t> luminance;
  luminance.reserve(picture.pixels.size());
  for (const std::uint32_t pixel : picture.pixels) {
    luminance.push_back(static_cast<std::uint8_t>(pixel & 0xFF));
  }
  const ZXing::ImageView image(luminance.data(), picture.width, picture.height,
                               ZXing::ImageFormat::Lum);
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::QRCode);
  hints.setIsPure(true);
  hints.setTryRotate(false);
  const ZXing::Result result = ZXing::ReadBarcode(image, hints);
  if (!result.isValid()) {
    return std::nullopt;
  }
  return std::string(result.bytes().begin(), result.bytes().end());
}

std::string ReportOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const QrError& error) {
    return error.report();
  }
  return "no error";
}

std::string RandomChinese(std::mt19937& random, int count) {
  std::uniform_int_distribution<std::uint32_t> ideograph(0x4E00, 0x9FA5);
  std::string text;
  for (int i = 0; i < count; ++i) {
    const std::uint32_t c = ideograph(random);
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
  return text;
}

}  // namespace hosting::qr::test
