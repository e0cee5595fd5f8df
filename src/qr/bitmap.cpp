#include <algorithm>
#include <array>
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

// Index of the first cell from `from` on that holds 1, or cells.size().
std::size_t NextDark(std::span<const std::int8_t> cells, std::size_t from) {
  const void* found = std::memchr(cells.data() + from, 1, cells.size() - from);
  return found == nullptr
             ? cells.size()
             : static_cast<std::size_t>(static_cast<const std::int8_t*>(found) - cells.data());
}

// Index of the first cell from `from` on that does not hold 1, eight cells at a time.
std::size_t EndOfDark(std::span<const std::int8_t> cells, std::size_t from) {
  constexpr std::uint64_t kAllDark = 0x0101010101010101ULL;
  std::size_t end = from;
  for (std::uint64_t eight = 0; end + 8 <= cells.size(); end += 8) {
    std::memcpy(&eight, cells.data() + end, 8);
    if (eight != kAllDark) {
      break;
    }
  }
  while (end < cells.size() && cells[end] == 1) {
    ++end;
  }
  return end;
}

}  // namespace

std::vector<std::uint8_t> PaintBitmap(const 字节矩阵类& cells, int width, int height,
                                      RgbColour light, RgbColour dark) {
  const auto w = static_cast<std::size_t>(width);
  const std::size_t stride = (w * 3 + 3) & ~std::size_t{3};
  const std::size_t imageSize = stride * static_cast<std::size_t>(height);
  std::vector<std::uint8_t> file(kPixelOffset, 0);
  file.reserve(kPixelOffset + imageSize);
  WriteHeaders(file.data(), width, height, imageSize);

  // One full row of each colour; a picture row is put together from runs of them, and rows
  // with the same cells as the one before are appended again without being drawn.
  std::vector<std::uint8_t> lightRow(stride, 0);
  std::vector<std::uint8_t> darkRow(stride, 0);
  for (std::size_t x = 0; x < w; ++x) {
    std::memcpy(&lightRow[3 * x], Pixel(light).data(), 3);
    std::memcpy(&darkRow[3 * x], Pixel(dark).data(), 3);
  }
  const auto painted = static_cast<std::size_t>(std::clamp(cells.GetWidth(), 0, width));
  std::vector<std::uint8_t> row = lightRow;
  std::span<const std::int8_t> drawn;      // the cells that `row` shows; empty = all light
  for (int y = height - 1; y >= 0; --y) {  // BMP rows run bottom-up
    const auto wanted =
        y < cells.GetHeight() ? cells.Row(y).first(painted) : std::span<const std::int8_t>();
    if (!std::equal(wanted.begin(), wanted.end(), drawn.begin(), drawn.end())) {
      row = lightRow;
      for (std::size_t x = 0; x < wanted.size();) {
        const std::size_t darkStart = NextDark(wanted, x);
        x = EndOfDark(wanted, darkStart);
        std::memcpy(&row[3 * darkStart], &darkRow[3 * darkStart], 3 * (x - darkStart));
      }
      drawn = wanted;
    }
    file.insert(file.end(), row.begin(), row.end());
  }
  return file;
}

}  // namespace hosting::qr
