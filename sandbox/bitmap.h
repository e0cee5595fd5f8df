#pragma once
// A small RGB raster that serialises itself as a 24-bit BMP file image.

#include <cstdint>
#include <string>
#include <vector>

namespace sandbox {

class Bitmap {
 public:
  // width and height in 1..4096 (clamped); every pixel starts as background (0xRRGGBB).
  Bitmap(int width, int height, std::uint32_t background);

  int width() const { return width_; }
  int height() const { return height_; }
  // Pixels outside the raster are ignored, so drawing may overlap the border.
  void Set(int x, int y, std::uint32_t rgb);
  void FillRect(int x, int y, int w, int h, std::uint32_t rgb);
  std::uint32_t At(int x, int y) const;

  // The BMP file: BITMAPFILEHEADER + BITMAPINFOHEADER, 24 bits, rows bottom-up padded to 4 bytes.
  std::string ToBmp() const;

 private:
  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;
};

}  // namespace sandbox
