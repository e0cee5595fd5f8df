#include "qr/byte_matrix.h"

#include <algorithm>

#include "qr/qr_error.h"

namespace hosting::qr {

std::vector<std::vector<std::int8_t>> 字节矩阵类::GetArray() const {
  std::vector<std::vector<std::int8_t>> rows;
  rows.reserve(static_cast<std::size_t>(height_));
  for (int y = 0; y < height_; ++y) {
    const auto row = Row(y);
    rows.emplace_back(row.begin(), row.end());
  }
  return rows;
}

void 字节矩阵类::置字节矩阵(const std::vector<std::vector<std::int8_t>>& array) {
  const std::size_t columns = array.empty() ? 0 : array.front().size();
  const bool ragged = std::any_of(array.begin(), array.end(),
                                  [columns](const auto& row) { return row.size() != columns; });
  if (columns == 0 || ragged || array.size() > static_cast<std::size_t>(height_) ||
      columns > static_cast<std::size_t>(width_)) {
    RaiseQrError(kClassName, "置字节矩阵", "不是矩阵");
  }
  for (std::size_t y = 0; y < array.size(); ++y) {
    std::copy(array[y].begin(), array[y].end(), Row(static_cast<int>(y)).begin());
  }
}

void 字节矩阵类::Resize(int width, int height) {
  assert(width >= 0 && height >= 0);
  width_ = width;
  height_ = height;
  cells_.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
}

void 字节矩阵类::Clear(std::int8_t value) {
  std::fill(cells_.begin(), cells_.end(), value);
}

std::string 字节矩阵类::ToText() const {
  std::string text;
  for (int y = 0; y < height_; ++y) {
    if (y > 0) {
      text += "\r\n";
    }
    for (int x = 0; x < width_; ++x) {
      if (x > 0) {
        text += ',';
      }
      text += std::to_string(Get(x, y));
    }
  }
  return text;
}

}  // namespace hosting::qr
