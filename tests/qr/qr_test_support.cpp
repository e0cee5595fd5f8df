#include "qr_test_support.h"

#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

#include "qr/qr_error.h"

namespace hosting::qr::test {

Picture ReadBmp(const std::vector<std::uint8_t>& file) {
  const auto number = [&](std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i) {
      value = (value << 8) | file.at(at + static_cast<std::size_t>(i));
    }
    return value;
  };
  Picture picture;
  if (file.size() < 54 || file[0] != 'B' || file[1] != 'M') {
    ADD_FAILURE() << "not a BMP file";
    return picture;
  }
  // File size, header size, 24 bits a pixel, no compression.
  EXPECT_EQ(std::vector<std::uint32_t>({number(2, 4), number(14, 4), number(28, 2), number(30, 4)}),
            std::vector<std::uint32_t>({static_cast<std::uint32_t>(file.size()), 40, 24, 0}));
  picture.width = static_cast<int>(number(18, 4));
  picture.height = static_cast<int>(number(22, 4));
  const std::size_t stride = (static_cast<std::size_t>(picture.width) * 3 + 3) / 4 * 4;
  const std::size_t offset = number(10, 4);
  if (file.size() != offset + stride * static_cast<std::size_t>(picture.height)) {
    ADD_FAILURE() << "the pixel rows do not fill the file";
    return picture;
  }
  for (int y = picture.height - 1; y >= 0; --y) {
    for (int x = 0; x < picture.width; ++x) {
      const std::size_t at =
          offset + stride * static_cast<std::size_t>(y) + 3 * static_cast<std::size_t>(x);
      picture.pixels.push_back(
          static_cast<std::uint32_t>(file[at + 2] << 16 | file[at + 1] << 8 | file[at]));
    }
  }
  return picture;
}

std::optional<std::string> DecodeBmp(const std::vector<std::uint8_t>& file) {
  const Picture picture = ReadBmp(file);
  std::vector<std::uint8_t> luminance;
  for (const std::uint32_t pixel : picture.pixels) {
    luminance.push_back(static_cast<std::uint8_t>(pixel & 0xFF));
  }
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::QRCode);
  hints.setIsPure(true);
  hints.setTryRotate(false);
  const ZXing::Result result = ZXing::ReadBarcode(
      ZXing::ImageView(luminance.data(), picture.width, picture.height, ZXing::ImageFormat::Lum),
      hints);
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

}  // namespace hosting::qr::test
