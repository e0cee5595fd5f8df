#include "qr/packed_symbol.h"

#include <cassert>

namespace hosting::qr {

PackedSymbol::PackedSymbol(int dimension)
    : dimension_(dimension),
      words_((dimension + 63) / 64),
      rows_(static_cast<std::size_t>(dimension * words_), 0),
      columns_(static_cast<std::size_t>(dimension * words_), 0) {
  assert(dimension >= 1 && words_ <= kMaxWords);
}

PackedSymbol PackedSymbol::FromMatrix(const 字节矩阵类& matrix) {
  assert(matrix.GetWidth() == matrix.GetHeight());
  PackedSymbol symbol(matrix.GetWidth());
  for (int y = 0; y < symbol.dimension_; ++y) {
    const auto row = matrix.Row(y);
    for (int x = 0; x < symbol.dimension_; ++x) {
      if (row[static_cast<std::size_t>(x)] == 1) {
        symbol.SetDark(x, y);
      }
    }
  }
  return symbol;
}

void PackedSymbol::SetDark(int x, int y) {
  Row(y)[Word(x)] |= std::uint64_t{1} << Bit(x);
  Column(x)[Word(y)] |= std::uint64_t{1} << Bit(y);
}

}  // namespace hosting::qr
