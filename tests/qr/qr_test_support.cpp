#include "qr_test_support.h"

#include <ZXing/ReadBarcode.h>
#include <gtest/gtest.h>

namespace hosting::qr::test {

Picture ReadBmp(const std::vector<std::uint8_t>& file) {
  const auto number = [&](std::size_t at, int bytes) {
    std::uint32_t value = 0;
    for (int i = bytes - 1; i >= 0; --i)
      value = (value << 8) | (at + 4 <= file.size() ? file[at + static_cast<std::size_t>(i)] : 0);
    return value;
  };
  Picture picture{static_cast<int>(number(18, 4)), static_cast<int>(number(22, 4)), {}};
  const std::size_t stride = (static_cast<std::size_t>(picture.width) * 3 + 3) / 4 * 4;
  const std::size_t offset = number(10, 4);
  // "BM", file size, header size, 24 bits a pixel, no compression, rows that fill the file.
  if (std::vector{number(0, 2), number(2, 4), number(14, 4), number(28, 2), number(30, 4)} !=
          std::vector<std::uint32_t>{0x4D42, static_cast<std::uint32_t>(file.size()), 40, 24, 0} ||
      file.size() != offset + stride * static_cast<std::size_t>(picture.height)) {
    ADD_FAILURE() << "not an uncompressed 24-bit BMP whose rows fill the file";
    return {};
  }
  for (int y = picture.height - 1; y >= 0; --y) {
    for (std::size_t at = offset + stride * static_cast<std::size_t>(y), x = 0;
         x < static_cast<std::size_t>(picture.width); ++x, at += 3) {
      picture.pixels.push_back(
          static_cast<std::uint32_t>(file[at + 2] << 16 | file[at + 1] << 8 | file[at]));
    }
  }
  return picture;
}

std::optional<std::string> DecodeBmp(const std::vector<std::uint8_t>& file) {
  const Picture picture = ReadBmp(file);
  std::vector<std::uint8_t> luminance(picture.pixels.begin(), picture.pixels.end());  // blue byte
  const ZXing::Result result = ZXing::ReadBarcode(
      ZXing::ImageView(luminance.data(), picture.width, picture.height, ZXing::ImageFormat::Lum),
      ZXing::DecodeHints()
          .setFormats(ZXing::BarcodeFormat::QRCode)
          .setIsPure(true)
          .setTryRotate(false));
  return result.isValid() ? std::optional(std::string(result.bytes().begin(), result.bytes().end()))
                          : std::nullopt;
}

}  // namespace hosting::qr::test
