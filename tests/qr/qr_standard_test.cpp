// The encoder against ISO/IEC 18004: the worked example, every version's function patterns, a
// terminator cut short, polynomial division, and mask penalties on shapes around the packed
// scoring's 64-bit words.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "qr/encoder.h"
#include "qr/gf256.h"
#include "qr/gf_poly_divisible.h"
#include "qr/mask_util.h"
#include "qr/matrix_util.h"
#include "qr/qr_module.h"
#include "qr/qr_version.h"
#include "qr/symbol_layout.h"

namespace hosting::qr {
namespace {

const EcLevel& M = EcLevels()[1];

std::vector<std::uint8_t> BytesOf(const 位向量类& bits) {
  return {bits.Bytes().begin(), bits.Bytes().end()};
}

TEST(QrStandard, WorkedExampleOneMGivesTheStandardsCodewords) {
  const 编码类 encoder;
  const QrMode& mode = encoder.ChooseMode("01234567");
  位向量子类 data;
  encoder.AppendBytes("01234567", mode, data);
  二维码类 qr;
  encoder.初始化二维码(data.GetSizeInBytes(), M, mode, qr);
  EXPECT_EQ(std::pair(qr.GetVersion(), qr.GetNumDataBytes()), std::pair(1, 16));
  位向量子类 bits;
  encoder.AppendModeInfo(mode, bits);
  encoder.追加长度信息(8, qr.GetVersion(), mode, bits);
  bits.AppendBitVector(data);
  encoder.结束数据位(qr.GetNumDataBytes(), bits);
  std::vector<std::uint8_t> codewords = {0x10, 0x20, 0x0C, 0x56, 0x61, 0x80, 0xEC, 0x11,
                                         0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11, 0xEC, 0x11};
  EXPECT_EQ(BytesOf(bits), codewords);
  codewords.insert(codewords.end(), {165, 36, 212, 193, 237, 54, 199, 135, 44, 85});
  EXPECT_EQ(BytesOf(encoder.交错容错字节(bits, 26, 16, 1)), codewords);
}

// Every version's function patterns, drawn under a level and mask that change with the version.
TEST(QrStandard, FunctionPatternsSitWhereTheStandardPutsThem) {
  // M with mask 0 is the xor pattern itself; M with mask 5 is the standard's example.
  EXPECT_EQ(矩阵应用类::标记类型信息位(M, 0).到字符串(), "101010000010010");
  EXPECT_EQ(矩阵应用类::标记类型信息位(M, 5).到字符串(), "100000011001110");
  for (int v = 2; v <= 40; ++v) {
    const QrVersion& version = QrVersion::取版本_通过版本号(v);
    const int n = version.GetDimension(), count = v / 7 + 2;
    const int step = v == 32 ? 26 : (v * 4 + count * 2 + 1) / (count * 2 - 2) * 2;
    std::vector<int> centres{6};
    for (int at = n - 7; static_cast<int>(centres.size()) < count; at -= step)
      centres.insert(centres.begin() + 1, at);
    ASSERT_EQ(version.GetAlignmentPatternCenters(), centres) << v;
    位向量子类 bits;
    for (int byte = 0; byte < version.GetTotalCodewords(); ++byte)
      bits.AppendBits(static_cast<std::uint32_t>(byte * 37 % 256), 8);
    const EcLevel& level = EcLevels()[static_cast<std::size_t>(v % 4)];
    字节矩阵类 m;
    const SymbolLayout& layout = SymbolLayout::ForVersion(version);
    矩阵应用类::BuildMatrix(bits, level, version, v % 8, m, layout.DataCells());
    // The packed symbol that the mask choice scores is the one drawn, line by line both ways.
    PackedSymbol composed(n);
    layout.Compose(layout.PlaceBits(bits), level, v % 8, composed);
    const PackedSymbol drawn = PackedSymbol::FromMatrix(m);
    for (int i = 0; i < n; ++i) {
      ASSERT_TRUE(std::ranges::equal(composed.Row(i), drawn.Row(i)) &&
                  std::ranges::equal(composed.Column(i), drawn.Column(i)))
          << v << " line " << i;
    }
    for (const int cx : centres)
      for (const int cy : centres)
        for (int d = 0; d < 25 && !(std::min(cx, cy) == 6 && (cx + cy == 12 || cx + cy == n - 1));
             ++d) {  // not where a finder sits
          const int dx = d % 5 - 2, dy = d / 5 - 2;
          EXPECT_EQ(m.Get(cx + dx, cy + dy), std::max(std::abs(dx), std::abs(dy)) == 1 ? 0 : 1)
              << v << " at " << cx << "," << cy;
        }
    // Format bit k (0 least significant): beside the top-left finder, skipping the timing lines,
    // and again split between the other two finders.
    const auto formatCell = [n](int k, int copy) {
      if (copy == 1)
        return k < 8 ? std::pair(n - 1 - k, 8) : std::pair(8, n - 15 + k);
      return k < 8 ? std::pair(8, k < 6 ? k : k + 1) : std::pair(k == 8 ? 7 : 14 - k, 8);
    };
    for (int copy = 0; copy < 2; ++copy) {
      std::string format(15, '?');
      for (int k = 0; k < 15; ++k) {
        const auto [x, y] = formatCell(k, copy);
        format[static_cast<std::size_t>(14 - k)] = m.Get(x, y) == 1 ? '1' : '0';
      }
      EXPECT_EQ(format, 矩阵应用类::标记类型信息位(level, v % 8).到字符串())
          << v << " copy " << copy;
    }
    EXPECT_EQ(m.Get(8, n - 8), 1) << v;  // the dark module
    // The standard's version words for 7 and 40 in both 6 x 3 blocks, least significant bit
    // nearest the corner.
    const int info = v == 7 ? 0x07C94 : v == 40 ? 0x28C69 : 0;
    for (int i = 0; info != 0 && i < 18; ++i) {
      const int bit = (info >> i) & 1;
      EXPECT_EQ(m.Get(i / 3, n - 11 + i % 3), bit) << v;
      EXPECT_EQ(m.Get(n - 11 + i % 3, i / 3), bit) << v;
    }
  }
}

// Mode choice shows in QrDecode, which reads every mode back, and version 40's capacity in the
// fuzz target's seeds; here the terminator where the data fills the symbol.
TEST(QrStandard, ATerminatorIsCutShortWhereTheSymbolIsFull) {
  const 编码类 encoder;
  位向量子类 nearlyFull;
  nearlyFull.AppendBits(0x7FFFF, 30);
  encoder.结束数据位(4, nearlyFull);  // room for only two terminator bits
  EXPECT_EQ(nearlyFull.GetSize(), 32);
}

// Division gives the dividend back as quotient * divisor + remainder, a shorter dividend too.
TEST(QrReedSolomon, DivisionRebuildsTheDividend) {
  const GF256& field = QrCodeField();
  const std::vector<std::uint8_t> longer(30, 0x53), shorter{9, 8, 7, 6},
      divisor{1, 0x1D, 0, 0xFF, 3, 2, 1, 5, 4};
  for (const auto& [top, bottom] :
       {std::pair{longer, divisor}, {shorter, divisor}, {shorter, shorter}}) {
    const auto [quotient, remainder] = GFPP(field, top).分离(GFP(field, bottom));
    EXPECT_LT(remainder.Degree(), std::max(GFP(field, bottom).Degree(), 1));
    EXPECT_EQ(quotient.Multiply(GFP(field, bottom)).加或减(remainder).Coefficients(), top);
  }
}

std::vector<int> Scores(int n, const std::function<bool(int, int)>& dark) {
  字节矩阵类 matrix(n, n);
  for (int y = 0; y < n; ++y)
    for (int x = 0; x < n; ++x)
      matrix.Set(x, y, dark(x, y) ? 1 : 0);
  const PackedSymbol symbol = PackedSymbol::FromMatrix(matrix);
  return {掩码辅助类::ApplyMaskPenaltyRule1(symbol), 掩码辅助类::ApplyMaskPenaltyRule2(symbol),
          掩码辅助类::ApplyMaskPenaltyRule3(symbol), 掩码辅助类::ApplyMaskPenaltyRule4(symbol)};
}

TEST(QrPenalty, RulesScoreShapesWhateverTheirPlaceInThePackedWords) {
  for (const int n : {21, 63, 64, 65, 127, 128, 129, 177}) {
    SCOPED_TRACE(n);
    const int lines = n * (n - 2);  // every line one run of n: 3 + (n - 5) each
    const int squares = 3 * (n - 1) * (n - 1);
    EXPECT_EQ(Scores(n, [](int, int) { return false; }), (std::vector{2 * lines, squares, 0, 100}));
    EXPECT_EQ(Scores(n, [](int x, int) { return x % 2 == 1; }), (std::vector{lines, 0, 0, 0}));
    // One dark 2 x 2 square across the middle word boundary: 8 mixed windows around it.
    const int a = n / 2 - 1;
    EXPECT_EQ(
        Scores(n, [a](int x, int y) { return (x == a || x == a + 1) && (y == 1 || y == 2); })[1],
        3 * ((n - 1) * (n - 1) - 8));
    // 1011101 with four light modules on one side: at the left edge, the right edge, mid-line.
    const auto finders = [n](int x, int y) {
      const int start = y == 0 ? 0 : y == 2 ? n - 11 : y == 4 ? (n - 7) / 2 : -100;
      return x >= start && x < start + 7 && x - start != 1 && x - start != 5;
    };
    EXPECT_EQ(Scores(n, finders)[2], 120);
  }
  // Three light modules inside the symbol are not enough.
  EXPECT_EQ(Scores(10, [](int x, int y) { return y == 5 && x < 7 && x != 1 && x != 5; })[2], 0);
  // Dark share: 55 % is one whole 5 % step away from half, 54.75 % is not.
  EXPECT_EQ(Scores(20, [](int x, int y) { return y * 20 + x < 220; })[3], 10);
  EXPECT_EQ(Scores(20, [](int x, int y) { return y * 20 + x < 219; })[3], 0);
}

TEST(QrPenalty, TheFirstMaskWithTheLowestScoreIsChosen) {
  const 编码类 encoder;
  std::mt19937 random(9);
  for (int i = 0; i < 200; ++i) {
    const std::string text(1 + random() % 40, static_cast<char>('a' + random() % 26));
    const 二维码类 qr = EncodeSymbol(text + std::to_string(i), EcLevels()[i % 4]);
    const QrVersion& version = QrVersion::取版本_通过版本号(qr.GetVersion());
    // The codeword bits, recovered from the chosen symbol by undoing its mask.
    位向量子类 bits;
    const std::span<const ModuleCell> cells = SymbolLayout::ForVersion(version).DataCells();
    for (const ModuleCell cell : cells) {
      const bool flip = 掩码辅助类::取数据掩码位(qr.GetMaskPattern(), cell.x, cell.y);
      bits.追加位(static_cast<int>((qr.GetMatrix().Get(cell.x, cell.y) == 1) != flip));
    }
    std::vector<int> penalties;
    for (int mask = 0; mask < 8; ++mask) {
      字节矩阵类 matrix;
      矩阵应用类::BuildMatrix(bits, qr.GetEcLevel(), version, mask, matrix, cells);
      penalties.push_back(encoder.CalculateMaskPenalty(PackedSymbol::FromMatrix(matrix)));
    }
    const auto lowest = std::min_element(penalties.begin(), penalties.end());
    ASSERT_EQ(qr.GetMaskPattern(), lowest - penalties.begin()) << text;
  }
}

}  // namespace
}  // namespace hosting::qr
