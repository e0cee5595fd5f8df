#pragma once
// 矩阵应用类: lays a QR symbol into a 字节矩阵类 — function patterns, format and version
// information, and the codeword bits under a mask. Cells: -1 = not yet set, 0 = light, 1 = dark.
// It owns which module carries which format and codeword bit; the packed layout used to score
// the masks places its bits through PlaceTypeInfo and PlaceDataBits.

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "qr/bit_vector_ext.h"
#include "qr/byte_matrix.h"
#include "qr/ec_level.h"
#include "qr/qr_version.h"

namespace hosting::qr {

// The position of one module.
struct ModuleCell {
  std::uint8_t x;
  std::uint8_t y;
};

class 矩阵应用类 {
 public:
  static constexpr const char* kClassName = "矩阵应用类";
  static constexpr std::int8_t kEmpty = -1;

  // The whole symbol: the version's function patterns, the format information of level and
  // mask, then bits under the mask in the version's data-module order (SymbolLayout's DataCells).
  // matrix receives the symbol's dimension.
  static void BuildMatrix(const 位向量类& bits, const EcLevel& level, const QrVersion& version,
                          int mask, 字节矩阵类& matrix, std::span<const ModuleCell> dataCells);

  // Everything that does not depend on the data: clear, basic patterns, version information,
  // and the format area (filled for level L, mask 0; BuildMatrix overwrites it).
  static void EmbedFunctionPatterns(const QrVersion& version, 字节矩阵类& matrix);
  static void ClearMatrix(字节矩阵类& matrix) { matrix.Clear(kEmpty); }
  static void EmbedBasicPatterns(const QrVersion& version, 字节矩阵类& matrix);
  static void EmbedPositionDetectionPatternsAndSeparators(字节矩阵类& matrix);
  static void 插入位置探测图(int xStart, int yStart, 字节矩阵类& matrix);
  static void 左下角插入黑点(字节矩阵类& matrix);
  static void EmbedPositionAdjustmentPatterns(const QrVersion& version, 字节矩阵类& matrix);
  static void 插入方位调整标识(int xStart, int yStart, 字节矩阵类& matrix);
  static void 插入定位基线(字节矩阵类& matrix);
  // 15 format bits: level bits, mask, BCH(0x537), xor 0x5412. Raises "掩图无效" outside 0-7.
  static 位向量子类 标记类型信息位(const EcLevel& level, int mask);
  static void EmbedTypeInfo(const EcLevel& level, int mask, 字节矩阵类& matrix);
  // Hands place(cell, bit) both modules of each format bit of level and mask in a symbol of
  // dimension.
  template <typename Place>
  static void PlaceTypeInfo(const EcLevel& level, int mask, int dimension, Place place);
  // The two modules that carry format bit k (0 = least significant) in a symbol of dimension.
  static std::array<ModuleCell, 2> TypeInfoCells(int k, int dimension);
  // 18 version bits: the number and its BCH(0x1F25) remainder.
  static 位向量子类 标记版本信息位(const QrVersion& version);
  static void MaybeEmbedVersionInfo(const QrVersion& version, 字节矩阵类& matrix);
  // The cells still empty, in the order codeword bits fill them: two-column strips from the
  // right, up and down in turn, skipping the timing column.
  static std::vector<ModuleCell> DataCellOrder(const 字节矩阵类& matrix);
  // Hands place(cell, bit) each of cells with its codeword bit, false past the end of bits.
  template <typename Place>
  static void PlaceDataBits(const 位向量类& bits, std::span<const ModuleCell> cells, Place place);
  // Writes bits into cells (padding with 0 past the end), each flipped where the mask says.
  // Raises "数据位未被全部填充…" when there are more bits than cells.
  static void 插入数据信息位(const 位向量类& bits, int mask, std::span<const ModuleCell> cells,
                             字节矩阵类& matrix);
  static void 插入水平分割图(int xStart, int yStart, 字节矩阵类& matrix);
  static void 插入垂直分割图(int xStart, int yStart, 字节矩阵类& matrix);

  static bool IsEmpty(std::int8_t value) { return value == kEmpty; }
  static bool IsValidValue(std::int8_t value) {
    return value == kEmpty || value == 0 || value == 1;
  }
};

template <typename Place>
void 矩阵应用类::PlaceTypeInfo(const EcLevel& level, int mask, int dimension, Place place) {
  const 位向量子类 bits = 标记类型信息位(level, mask);
  for (int k = 0; k < bits.GetSize(); ++k) {
    const bool bit = bits.取位值(bits.GetSize() - 1 - k);
    for (const ModuleCell cell : TypeInfoCells(k, dimension)) {
      place(cell, bit);
    }
  }
}

template <typename Place>
void 矩阵应用类::PlaceDataBits(const 位向量类& bits, std::span<const ModuleCell> cells,
                               Place place) {
  const auto size = static_cast<std::size_t>(bits.GetSize());
  const auto bytes = bits.Bytes();
  for (std::size_t i = 0; i < cells.size(); ++i) {
    place(cells[i], i < size && ((bytes[i / 8] >> (7 - i % 8)) & 1U) != 0);
  }
}

}  // namespace hosting::qr
