#pragma once
// 字节矩阵类: a width x height grid of signed bytes, x = column, y = row, both from 0 at the
// top-left. The generator uses 0 = light, 1 = dark and -1 (0xFF) = not yet set.

#include <cassert>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace hosting::qr {

class 字节矩阵类 {
 public:
  static constexpr const char* kClassName = "字节矩阵类";

  字节矩阵类() = default;
  字节矩阵类(int width, int height) { Resize(width, height); }

  int GetHeight() const { return height_; }
  int GetWidth() const { return width_; }
  // A copy of the cells, first index row y, second index column x.
  std::vector<std::vector<std::int8_t>> GetArray() const;
  // Copies `array` cell by cell into the top-left corner of this matrix. Raises "不是矩阵" when
  // the array is empty, has an empty or ragged row, or is larger than this matrix.
  void 置字节矩阵(const std::vector<std::vector<std::int8_t>>& array);
  // Allocates width x height cells (both >= 0), all 0.
  void Resize(int width, int height);
  // x and y must lie inside the matrix.
  std::int8_t Get(int x, int y) const { return cells_[Index(x, y)]; }
  void Set(int x, int y, std::int8_t value) { cells_[Index(x, y)] = value; }
  void Clear(std::int8_t value);
  // One line per row, cells joined by ",", rows by "\r\n".
  std::string ToText() const;

  std::span<const std::int8_t> Row(int y) const {
    return {cells_.data() + Index(0, y), static_cast<std::size_t>(width_)};
  }
  std::span<std::int8_t> Row(int y) {
    return {cells_.data() + Index(0, y), static_cast<std::size_t>(width_)};
  }

 private:
  std::size_t Index(int x, int y) const {
    assert(x >= 0 && x <= width_ && y >= 0 && y < height_);
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
           static_cast<std::size_t>(x);
  }

  std::vector<std::int8_t> cells_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace hosting::qr
