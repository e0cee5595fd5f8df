// The picture decodes (zxing-cpp) to exactly the content, or a QrError has a reason.
#include <ZXing/ReadBarcode.h>

#include "fuzz_support.h"
#include "qr/qr_front_end.h"

namespace hosting::fuzz {

const std::size_t kFieldCount = 2;
constexpr int kSide = 177 + 4;  // one pixel a module for a version-40 symbol and its quiet zone

// The bytes zxing-cpp reads from a kSide x kSide 24-bit bottom-up BMP (blue of black and white).
static std::string Decode(const std::vector<std::uint8_t>& bmp) {
  constexpr std::size_t kStride = (kSide * 3 + 3) / 4 * 4;
  const std::size_t offset = bmp.size() - kStride * kSide;
  Require(bmp.size() > kStride * kSide && bmp[0] == 'B' && bmp[1] == 'M' && bmp[10] == offset,
          "the picture is a BMP of the size asked for");
  std::vector<std::uint8_t> luminance(kSide * kSide);
  for (std::size_t i = 0; i < luminance.size(); ++i)
    luminance[i] = bmp[offset + kStride * (kSide - 1 - i / kSide) + 3 * (i % kSide)];
  const auto hints = ZXing::DecodeHints().setFormats(ZXing::BarcodeFormat::QRCode).setIsPure(true);
  const auto bytes =
      ZXing::ReadBarcode({luminance.data(), kSide, kSide, ZXing::ImageFormat::Lum}, hints).bytes();
  return {bytes.begin(), bytes.end()};
}

void Fuzz(const Fields& fields) {
  const std::string_view level = fields[0], content = fields[1];
  const std::size_t at = level.size() == 1 ? std::string_view("LMQHlmqh").find(level[0]) : 8;
  const std::size_t index = at < 8 ? at % 4 : 4;  // L, M, Q, H in either case, or none
  constexpr std::size_t kBytesAtVersion40[] = {2953, 2331, 1663, 1273, 0};  // at L, M, Q, H
  std::string_view rest = content;  // blank when only half- and full-width spaces
  while (rest.starts_with(' ') || rest.starts_with(kFullWidthSpace))
    rest.remove_prefix(rest.front() == ' ' ? 1 : 3);
  try {
    const std::string decoded = Decode(qr::创建二维码(content, level, kSide, kSide));
    Require(index < 4 && !rest.empty() && decoded == content, "the symbol holds the content");
  } catch (const qr::QrError&) {
    Require(rest.empty() || content.size() > kBytesAtVersion40[index], "a QrError has a reason");
  }
}

}  // namespace hosting::fuzz
