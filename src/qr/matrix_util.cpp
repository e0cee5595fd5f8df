#include "qr/matrix_util.h"

#include <bit>
#include <string>

#include "qr/mask_util.h"
#include "qr/packed_symbol.h"
#include "qr/qr_code.h"
#include "qr/qr_error.h"

namespace hosting::qr {
namespace {

constexpr std::int8_t kPositionDetectionPattern[7][7] = {
    {1, 1, 1, 1, 1, 1, 1}, {1, 0, 0, 0, 0, 0, 1}, {1, 0, 1, 1, 1, 0, 1}, {1, 0, 1, 1, 1, 0, 1},
    {1, 0, 1, 1, 1, 0, 1}, {1, 0, 0, 0, 0, 0, 1}, {1, 1, 1, 1, 1, 1, 1}};
constexpr std::int8_t kPositionAdjustmentPattern[5][5] = {
    {1, 1, 1, 1, 1}, {1, 0, 0, 0, 1}, {1, 0, 1, 0, 1}, {1, 0, 0, 0, 1}, {1, 1, 1, 1, 1}};
constexpr int kHorizontalSeparatorLength = 8;
constexpr int kVerticalSeparatorLength = 7;
// (x, y) of format bit 0 (least significant) to 14 around the top-left finder.
constexpr ModuleCell kTypeInfoCoordinates[15] = {{8, 0}, {8, 1}, {8, 2}, {8, 3}, {8, 4},
                                                 {8, 5}, {8, 7}, {8, 8}, {7, 8}, {5, 8},
                                                 {4, 8}, {3, 8}, {2, 8}, {1, 8}, {0, 8}};
constexpr std::uint32_t kTypeInfoPoly = 0x537;
constexpr std::uint32_t kTypeInfoMaskPattern = 0x5412;
constexpr std::uint32_t kVersionInfoPoly = 0x1F25;

// Remainder of value * x^(degree of poly) divided by poly over GF(2).
std::uint32_t CalculateBchCode(std::uint32_t value, std::uint32_t poly) {
  const unsigned polyBits = std::bit_width(poly);
  value <<= polyBits - 1;
  while (std::bit_width(value) >= polyBits) {
    value ^= poly << (std::bit_width(value) - polyBits);
  }
  return value;
}

void RequireEmpty(const 字节矩阵类& matrix, int i, int x, int y, const char* method) {
  if (!矩阵应用类::IsEmpty(matrix.Get(x, y))) {
    RaiseQrError(矩阵应用类::kClassName, method,
                 "矩阵当前操作位数据不为空。i：" + std::to_string(i) + "；x：" + std::to_string(x) +
                     "；y：" + std::to_string(y));
  }
}

}  // namespace

void 矩阵应用类::BuildMatrix(const 位向量类& bits, const EcLevel& level, const QrVersion& version,
                             int mask, 字节矩阵类& matrix, std::span<const ModuleCell> dataCells) {
  EmbedFunctionPatterns(version, matrix);
  EmbedTypeInfo(level, mask, matrix);
  插入数据信息位(bits, mask, dataCells, matrix);
}

void 矩阵应用类::EmbedFunctionPatterns(const QrVersion& version, 字节矩阵类& matrix) {
  matrix.Resize(version.GetDimension(), version.GetDimension());
  ClearMatrix(matrix);
  EmbedBasicPatterns(version, matrix);
  EmbedTypeInfo(EcLevels().front(), 0, matrix);
  MaybeEmbedVersionInfo(version, matrix);
}

void 矩阵应用类::EmbedBasicPatterns(const QrVersion& version, 字节矩阵类& matrix) {
  EmbedPositionDetectionPatternsAndSeparators(matrix);
  左下角插入黑点(matrix);
  EmbedPositionAdjustmentPatterns(version, matrix);
  插入定位基线(matrix);
}

void 矩阵应用类::EmbedPositionDetectionPatternsAndSeparators(字节矩阵类& matrix) {
  const int n = matrix.GetWidth();
  const int pdpWidth = 7;
  插入位置探测图(0, 0, matrix);
  插入位置探测图(n - pdpWidth, 0, matrix);
  插入位置探测图(0, n - pdpWidth, matrix);
  插入水平分割图(0, kHorizontalSeparatorLength - 1, matrix);
  插入水平分割图(n - kHorizontalSeparatorLength, kHorizontalSeparatorLength - 1, matrix);
  插入水平分割图(0, n - kHorizontalSeparatorLength, matrix);
  插入垂直分割图(kVerticalSeparatorLength, 0, matrix);
  插入垂直分割图(n - kVerticalSeparatorLength - 1, 0, matrix);
  插入垂直分割图(kVerticalSeparatorLength, n - kVerticalSeparatorLength, matrix);
}

void 矩阵应用类::插入位置探测图(int xStart, int yStart, 字节矩阵类& matrix) {
  for (int y = 0; y < 7; ++y) {
    for (int x = 0; x < 7; ++x) {
      matrix.Set(xStart + x, yStart + y, kPositionDetectionPattern[y][x]);
    }
  }
}

void 矩阵应用类::左下角插入黑点(字节矩阵类& matrix) {
  const int y = matrix.GetHeight() - 8;
  if (matrix.Get(8, y) == 0) {
    RaiseQrError(kClassName, "左下角插入黑点", "空值");
  }
  matrix.Set(8, y, 1);
}

void 矩阵应用类::EmbedPositionAdjustmentPatterns(const QrVersion& version, 字节矩阵类& matrix) {
  const auto& centres = version.GetAlignmentPatternCenters();
  for (const int y : centres) {
    for (const int x : centres) {
      // Centres under a finder pattern are already set and get no pattern.
      if (IsEmpty(matrix.Get(x, y))) {
        插入方位调整标识(x - 2, y - 2, matrix);
      }
    }
  }
}

void 矩阵应用类::插入方位调整标识(int xStart, int yStart, 字节矩阵类& matrix) {
  for (int y = 0; y < 5; ++y) {
    for (int x = 0; x < 5; ++x) {
      matrix.Set(xStart + x, yStart + y, kPositionAdjustmentPattern[y][x]);
    }
  }
}

void 矩阵应用类::插入定位基线(字节矩阵类& matrix) {
  const int n = matrix.GetWidth();
  for (int i = 8; i < n - 8; ++i) {
    const auto bit = static_cast<std::int8_t>((i + 1) % 2);
    for (const auto& [x, y] : {std::pair{i, 6}, std::pair{6, i}}) {
      const std::int8_t cell = matrix.Get(x, y);
      if (!IsValidValue(cell)) {
        RaiseQrError(kClassName, "插入定位基线", "无效值");
      }
      if (IsEmpty(cell)) {
        matrix.Set(x, y, bit);
      }
    }
  }
}

位向量子类 矩阵应用类::标记类型信息位(const EcLevel& level, int mask) {
  if (!二维码类::IsValidMaskPattern(mask)) {
    RaiseQrError(kClassName, "标记类型信息位", "掩图无效");
  }
  const auto typeInfo = static_cast<std::uint32_t>((level.GetBits() << 3) | mask);
  位向量子类 bits;
  bits.AppendBits(typeInfo, 5);
  bits.AppendBits(CalculateBchCode(typeInfo, kTypeInfoPoly), 10);
  位向量类 maskBits;
  maskBits.AppendBits(kTypeInfoMaskPattern, 15);
  bits.异或(maskBits);
  if (bits.GetSize() != 15) {
    RaiseQrError(kClassName, "标记类型信息位", "位向量长度不对。");
  }
  return bits;
}

void 矩阵应用类::EmbedTypeInfo(const EcLevel& level, int mask, 字节矩阵类& matrix) {
  PlaceTypeInfo(level, mask, matrix.GetWidth(), [&matrix](ModuleCell cell, bool bit) {
    matrix.Set(cell.x, cell.y, static_cast<std::int8_t>(bit));
  });
}

std::array<ModuleCell, 2> 矩阵应用类::TypeInfoCells(int k, int dimension) {
  const ModuleCell second = k < 8
                                ? ModuleCell{static_cast<std::uint8_t>(dimension - 1 - k), 8}
                                : ModuleCell{8, static_cast<std::uint8_t>(dimension - 7 + (k - 8))};
  return {kTypeInfoCoordinates[k], second};
}

位向量子类 矩阵应用类::标记版本信息位(const QrVersion& version) {
  const auto number = static_cast<std::uint32_t>(version.GetVersionNumber());
  位向量子类 bits;
  bits.AppendBits(number, 6);
  bits.AppendBits(CalculateBchCode(number, kVersionInfoPoly), 12);
  if (bits.GetSize() != 18) {
    RaiseQrError(kClassName, "标记版本信息位", "版本信息不为18位");
  }
  return bits;
}

void 矩阵应用类::MaybeEmbedVersionInfo(const QrVersion& version, 字节矩阵类& matrix) {
  if (version.GetVersionNumber() < 7) {
    return;
  }
  const 位向量子类 bits = 标记版本信息位(version);
  const int n = matrix.GetWidth();
  int bitIndex = 17;
  for (int i = 0; i < 6; ++i) {
    for (int j = 0; j < 3; ++j) {
      const auto bit = static_cast<std::int8_t>(bits.取位值(bitIndex--));
      matrix.Set(i, n - 11 + j, bit);
      matrix.Set(n - 11 + j, i, bit);
    }
  }
}

std::vector<ModuleCell> 矩阵应用类::DataCellOrder(const 字节矩阵类& matrix) {
  std::vector<ModuleCell> cells;
  const int n = matrix.GetWidth();
  int direction = -1;
  int y = n - 1;
  for (int x = n - 1; x > 0; x -= 2) {
    if (x == 6) {
      x -= 1;  // the vertical timing pattern takes column 6 out of the strips
    }
    for (; y >= 0 && y < n; y += direction) {
      for (int xx = x; xx > x - 2; --xx) {
        if (IsEmpty(matrix.Get(xx, y))) {
          cells.push_back({static_cast<std::uint8_t>(xx), static_cast<std::uint8_t>(y)});
        }
      }
    }
    direction = -direction;
    y += direction;
  }
  return cells;
}

void 矩阵应用类::插入数据信息位(const 位向量类& bits, int mask, std::span<const ModuleCell> cells,
                                字节矩阵类& matrix) {
  const auto size = static_cast<std::size_t>(bits.GetSize());
  if (size > cells.size()) {
    RaiseQrError(kClassName, "插入数据信息位",
                 "数据位未被全部填充，n：" + std::to_string(cells.size()) + "；位向量大小：" +
                     std::to_string(size));
  }
  if (!二维码类::IsValidMaskPattern(mask)) {
    RaiseQrError(掩码辅助类::kClassName, "取数据掩码位", "无效的掩图。");
  }
  const auto& maskRows = 掩码辅助类::MaskRows(mask);
  PlaceDataBits(bits, cells, [&](ModuleCell cell, bool bit) {
    const auto& maskRow = maskRows[cell.y % 掩码辅助类::kMaskPeriod];
    const bool flip = (maskRow[PackedSymbol::Word(cell.x)] >> PackedSymbol::Bit(cell.x)) & 1U;
    matrix.Set(cell.x, cell.y, static_cast<std::int8_t>(bit != flip));
  });
}

void 矩阵应用类::插入水平分割图(int xStart, int yStart, 字节矩阵类& matrix) {
  for (int x = 0; x < kHorizontalSeparatorLength; ++x) {
    RequireEmpty(matrix, x, xStart + x, yStart, "插入水平分割图");
    matrix.Set(xStart + x, yStart, 0);
  }
}

void 矩阵应用类::插入垂直分割图(int xStart, int yStart, 字节矩阵类& matrix) {
  for (int y = 0; y < kVerticalSeparatorLength; ++y) {
    RequireEmpty(matrix, y, xStart, yStart + y, "插入垂直分割图");
    matrix.Set(xStart, yStart + y, 0);
  }
}

}  // namespace hosting::qr
