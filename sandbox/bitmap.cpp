#include "sandbox/bitmap.h"

#include <algorithm>

namespace sandbox {

namespace {

constexpr int kMaxSide = 4096;
constexpr int kHeaderBytes = 14 + 40;

void PutLe(std::string& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out += static_cast<char>((value >> (8 * i)) & 0xFF);
  }
}

}  // namespace

Bitmap::Bitmap(int width, int height, std::uint32_t background)
    : width_(std::clamp(width, 1, kMaxSide)),
      height_(std::clamp(height, 1, kMaxSide)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), background) {}

void Bitmap::Set(int x, int y, std::uint32_t rgb) {
  if (x >= 0 && y >= 0 && x < width_ && y < height_) {
    pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)] = rgb;
  }
}

void Bitmap::FillRect(int x, int y, int w, int h, std::uint32_t rgb) {
  for (int row = std::max(y, 0); row < std::min(y + h, height_); ++row) {
    for (int col = std::max(x, 0); col < std::min(x + w, width_); ++col) {
      Set(col, row, rgb);
    }
  }
}

std::uint32_t Bitmap::At(int x, int y) const {
  if (x < 0 || y < 0 || x >= width_ || y >= height_) {
    return 0;
  }
  return pixels_[static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                 static_cast<std::size_t>(x)];
}

std::string Bitmap::ToBmp() const {
  const std::uint32_t rowBytes = (static_cast<std::uint32_t>(width_) * 3 + 3) & ~3u;
  const std::uint32_t imageBytes = rowBytes * static_cast<std::uint32_t>(height_);
  std::string out;
  out.reserve(kHeaderBytes + imageBytes);
  out += "BM";
  PutLe(out, kHeaderBytes + imageBytes, 4);
  PutLe(out, 0, 4);
  PutLe(out, kHeaderBytes, 4);
  PutLe(out, 40, 4);
  PutLe(out, static_cast<std::uint32_t>(width_), 4);
  PutLe(out, static_cast<std::uint32_t>(height_), 4);
  PutLe(out, 1, 2);   // planes
  PutLe(out, 24, 2);  // bits per pixel
  PutLe(out, 0, 4);   // no compression
  PutLe(out, imageBytes, 4);
  PutLe(out, 2835, 4);  // 72 dpi
  PutLe(out, 2835, 4);
  PutLe(out, 0, 4);
  PutLe(out, 0, 4);
  for (int y = height_ - 1; y >= 0; --y) {
    for (int x = 0; x < width_; ++x) {
      PutLe(out, At(x, y), 3);  // little-endian 0xRRGGBB is B, G, R as BMP wants
    }
    out.append(rowBytes - static_cast<std::uint32_t>(width_) * 3, '\0');
  }
  return out;
}

}  // namespace sandbox
