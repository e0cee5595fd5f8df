#pragma once
// Helpers of the QR tests: reading back the BMP files we write, decoding them with an
// independent reader (zxing-cpp), and catching QrError reports.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace hosting::qr::test {

// A 24-bit BMP read back: pixels top-down as 0xRRGGBB.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// Parses an uncompressed 24-bit bottom-up BMP file; fails the calling test on anything else.
Picture ReadBmp(const std::vector<std::uint8_t>& file);
// The raw bytes of the one QR code zxing-cpp finds in the BMP, if any.
std::optional<std::string> DecodeBmp(const std::vector<std::uint8_t>& file);
// The report text of the QrError that action throws, or "no error".
std::string ReportOf(const std::function<void()>& action);

}  // namespace hosting::qr::test
