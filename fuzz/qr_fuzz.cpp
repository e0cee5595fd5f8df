// The QR generator's front end over any bytes: a level (cut at the first NUL) and the content.
// Either the picture decodes, with zxing-cpp's reader, to exactly the content's bytes, or the
// generator raises a QrError for a reason the content or the level gives.

#include <ZXing/ReadBarcode.h>

#include <string>
#include <vector>

#include "fuzz_support.h"
#include "qr/qr_front_end.h"

namespace {

using hosting::fuzz::Require;

// One pixel a module for a version-40 symbol with its quiet zone; smaller symbols get more.
constexpr int kSide = 177 + 4;
// Bytes that fit a version-40 symbol in byte mode at L, M, Q and H.
constexpr std::size_t kByteCapacity[] = {2953, 2331, 1663, 1273};

std::uint32_t LittleEndian32(const std::vector<std::uint8_t>& file, std::size_t at) {
  return static_cast<std::uint32_t>(file[at] | file[at + 1] << 8 | file[at + 2] << 16 |
                                    file[at + 3] << 24);
}

// The bytes that zxing-cpp reads from a kSide x kSide 24-bit bottom-up BMP, or nothing.
std::optional<std::string> Decode(const std::vector<std::uint8_t>& bmp) {
  constexpr std::size_t kStride = (kSide * 3 + 3) / 4 * 4;
  Require(bmp.size() >= 54 && bmp[0] == 'B' && bmp[1] == 'M', "the picture is a BMP file");
  const std::size_t offset = LittleEndian32(bmp, 10);
  Require(LittleEndian32(bmp, 18) == kSide && LittleEndian32(bmp, 22) == kSide &&
              bmp.size() == offset + kStride * kSide,
          "the picture has the size asked for");
  std::vector<std::uint8_t> luminance(static_cast<std::size_t>(kSide) * kSide);
  for (std::size_t y = 0; y < kSide; ++y) {
    const std::uint8_t* row = bmp.data() + offset + kStride * (kSide - 1 - y);
    for (std::size_t x = 0; x < kSide; ++x) {
      luminance[y * kSide + x] = row[3 * x];  // blue: the picture is black and white
    }
  }
  ZXing::DecodeHints hints;
  hints.setFormats(ZXing::BarcodeFormat::QRCode);
  hints.setIsPure(true);
  hints.setTryRotate(false);
  const ZXing::Result result =
      ZXing::ReadBarcode({luminance.data(), kSide, kSide, ZXing::ImageFormat::Lum}, hints);
  if (!result.isValid()) {
    return std::nullopt;
  }
  return std::string(result.bytes().begin(), result.bytes().end());
}

bool IsBlank(std::string_view content) {
  constexpr std::string_view kFullWidthSpace = "\xE3\x80\x80";
  while (content.starts_with(' ') || content.starts_with(kFullWidthSpace)) {
    content.remove_prefix(content.front() == ' ' ? 1 : kFullWidthSpace.size());
  }
  return content.empty();
}

// 1-4 for L, M, Q and H in either case, 0 for anything else.
int LevelIndex(std::string_view level) {
  const std::string_view names = "LMQHlmqh";
  return level.size() == 1 && names.find(level[0]) != std::string_view::npos
             ? static_cast<int>(names.find(level[0]) % 4) + 1
             : 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto fields = hosting::fuzz::Fields(hosting::fuzz::AsText(data, size), 2);
  const std::string_view level = fields[0];
  const std::string_view content = fields[1];
  const int index = LevelIndex(level);
  try {
    const auto bmp = hosting::qr::创建二维码(content, level, kSide, kSide);
    Require(index > 0 && !IsBlank(content), "a blank content or a bad level is refused", level,
            content);
    const std::optional<std::string> decoded = Decode(bmp);
    Require(decoded.has_value(), "the symbol decodes", content);
    Require(*decoded == content, "the symbol holds the content", content, *decoded);
  } catch (const hosting::qr::QrError& error) {
    const bool tooLong = index > 0 && content.size() > kByteCapacity[index - 1];
    Require(IsBlank(content) || index == 0 || tooLong, "a QrError has a reason", error.report(),
            content);
  }
  return 0;
}
