#include <algorithm>
#include <cstring>

#include "qr/qr_module.h"

namespace hosting::qr {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::size_t kInfoHeaderSize = 40;
constexpr std::size_t kPixelOffset = kFileHeaderSize + kInfoHeaderSize;

void PutLittleEndian(std::uint8_t* at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    at[i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
}

void WriteHeaders(std::uint8_t* file, int width, int height, std::size_t imageSize) {
  file[0] = 'B';
  file[1] = 'M';
  PutLittleEndian(file + 2, static_cast<std::uint32_t>(kPixelOffset + imageSize), 4);
  PutLittleEndian(file + 10, static_cast<std::uint32_t>(kPixelOffset), 4);
  std::uint8_t* info = file + kFileHeaderSize;
  PutLittleEndian(info, static_cast<std::uint32_t>(kInfoHeaderSize), 4);
  PutLittleEndian(info + 4, static_cast<std::uint32_t>(width), 4);
  PutLittleEndian(info + 8, static_cast<std::uint32_t>(height), 4);  // positive: bottom-up rows
  PutLittleEndian(info + 12, 1, 2);                                  // planes
  PutLittleEndian(info + 14, 24, 2);                                 // bits per pixel
  PutLittleEndian(info + 20, static_cast<std::uint32_t>(imageSize), 4);
}

// Blue, green, red, as a BMP pixel stores them.
std::array<std::uint8_t, 3> Pixel(RgbColour colour) {
  return {static_cast<std::uint8_t>(colour), static_cast<std::uint8_t>(colour >> 8),
          static_cast<std::uint8_t>(colour >> 16)};
}

}  // namespace

std::vector<std::uint8_t> PaintBitmap(const 字节矩阵类& cells, int width, int height,
                                      RgbColour light, RgbColour dark) {
  const std::size_t stride = (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
  const std::size_t imageSize = stride * static_cast<std::size_t>(height);
  std::vector<std::uint8_t> file(kPixelOffset + imageSize, 0);
  WriteHeaders(file.data(), width, height, imageSize);

  const auto lightPixel = Pixel(light);
  const auto darkPixel = Pixel(dark);
  const int paintedWidth = std::min(width, cells.GetWidth());
  const auto rowStart = [&](int y) {
    return file.data() + kPixelOffset + stride * static_cast<std::size_t>(height - 1 - y);
  };
  for (int y = 0; y < height; ++y) {
    std::uint8_t* out = rowStart(y);
    const bool inside = y < cells.GetHeight();
    if (y > 0 && (y - 1 < cells.GetHeight()) == inside &&
        (!inside || std::equal(cells.Row(y).begin(), cells.Row(y).begin() + paintedWidth,
                               cells.Row(y - 1).begin()))) {
      std::memcpy(out, rowStart(y - 1), stride);  // same cells as the row above
      continue;
    }
    for (int x = 0; x < width; ++x) {
      const bool isDark = inside && x < paintedWidth && cells.Get(x, y) == 1;
      std::memcpy(out + 3 * static_cast<std::size_t>(x), (isDark ? darkPixel : lightPixel).data(),
                  3);
    }
  }
  return file;
}

}  // namespace hosting::qr
