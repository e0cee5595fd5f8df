#pragma once
// 掩码辅助类: the eight data masks and the four penalty rules that choose between them.
// Penalties are scored on packed lines, one 64-module word at a time.

#include <array>
#include <cstdint>

#include "qr/packed_symbol.h"

namespace hosting::qr {

class 掩码辅助类 {
 public:
  static constexpr const char* kClassName = "掩码辅助类";
  static constexpr int kN1 = 3;
  static constexpr int kN2 = 3;
  static constexpr int kN3 = 40;
  static constexpr int kN4 = 10;

  // True where mask (0-7) flips the module at column x, row y; raises "无效的掩图。" otherwise.
  static bool 取数据掩码位(int mask, int x, int y);
  // Every mask repeats after 12 rows and 12 columns (periods 2, 3, 4 and 6 divide 12).
  static constexpr int kMaskPeriod = 12;
  using MaskLines = std::array<std::array<std::uint64_t, PackedSymbol::kMaxWords>, kMaskPeriod>;
  // Mask bits of the rows as packed lines: entry y % kMaskPeriod, bit x = 取数据掩码位(mask,
  // x, y), for 192 columns. mask must be 0-7.
  static const MaskLines& MaskRows(int mask);
  // The same for the columns: entry x % kMaskPeriod, bit y.
  static const MaskLines& MaskColumns(int mask);

  // Runs of five or more equal modules: 3, plus 1 per further module; rows and columns.
  static int ApplyMaskPenaltyRule1(const PackedSymbol& symbol);
  // 3 for every 2 x 2 block of equal modules.
  static int ApplyMaskPenaltyRule2(const PackedSymbol& symbol);
  // 40 for every dark-light-dark-dark-dark-light-dark run with four light modules inside the
  // symbol before or after it, in rows and columns.
  static int ApplyMaskPenaltyRule3(const PackedSymbol& symbol);
  // 10 for every whole 5 % by which the dark share lies away from 50 %.
  static int ApplyMaskPenaltyRule4(const PackedSymbol& symbol);
};

}  // namespace hosting::qr
