#pragma once
// Reading back our BMP files and decoding them with zxing-cpp.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace hosting::qr::test {

// Pixels top-down as 0xRRGGBB.
struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixels;
  std::uint32_t At(int x, int y) const { return pixels[static_cast<std::size_t>(y * width + x)]; }
};

// Parses an uncompressed 24-bit bottom-up BMP file; fails the calling test on anything else.
Picture ReadBmp(const std::vector<std::uint8_t>& file);
std::optional<std::string> DecodeBmp(const std::vector<std::uint8_t>& file);

}  // namespace hosting::qr::test
