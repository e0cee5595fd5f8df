#pragma once
// PackedSymbol: a square module grid as bit rows and bit columns (bit x of row y = bit y of
// column x = module (x, y), 1 = dark), so penalty rules can work a 64-module word at a time.

#include <cstdint>
#include <span>
#include <vector>

#include "qr/byte_matrix.h"

namespace hosting::qr {

class PackedSymbol {
 public:
  // The largest symbol has 177 modules a side: three words per line.
  static constexpr int kMaxWords = 3;

  PackedSymbol() = default;
  // An all-light grid of dimension x dimension modules (1-177).
  explicit PackedSymbol(int dimension);
  // Cells holding exactly 1 are dark. The matrix must be square, 1-177 modules a side.
  static PackedSymbol FromMatrix(const 字节矩阵类& matrix);

  int Dimension() const { return dimension_; }
  int Words() const { return words_; }
  std::span<const std::uint64_t> Row(int y) const { return {&rows_[Offset(y)], Size()}; }
  std::span<const std::uint64_t> Column(int x) const { return {&columns_[Offset(x)], Size()}; }
  std::span<std::uint64_t> Row(int y) { return {&rows_[Offset(y)], Size()}; }
  std::span<std::uint64_t> Column(int x) { return {&columns_[Offset(x)], Size()}; }
  void SetDark(int x, int y);

  static std::size_t Word(int index) { return static_cast<std::size_t>(index) / 64; }
  static unsigned Bit(int index) { return static_cast<unsigned>(index) % 64; }

 private:
  std::size_t Offset(int line) const { return static_cast<std::size_t>(line * words_); }
  std::size_t Size() const { return static_cast<std::size_t>(words_); }

  int dimension_ = 0;
  int words_ = 0;
  std::vector<std::uint64_t> rows_;
  std::vector<std::uint64_t> columns_;
};

}  // namespace hosting::qr
