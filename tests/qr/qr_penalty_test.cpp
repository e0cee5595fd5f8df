// Mask penalties on shapes at sizes around the packed scoring's 64-module words; the mask choice.
#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <string>
#include <vector>

#include "qr/encoder.h"
#include "qr/mask_util.h"
#include "qr/matrix_util.h"
#include "qr/qr_module.h"
#include "qr/qr_version.h"
#include "qr/symbol_layout.h"

namespace hosting::qr {
namespace {

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
    EXPECT_EQ(Scores(n, [](int, int) { return true; }), (std::vector{2 * lines, squares, 0, 100}));
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
  EXPECT_EQ(Scores(20, [](int, int y) { return y < 10; })[3], 0);
}

TEST(QrPenalty, TheFirstMaskWithTheLowestScoreIsChosen) {
  const 编码类 encoder;
  std::mt19937 random(9);
  int ties = 0;
  for (int i = 0; i < 200; ++i) {
    const std::string text(1 + random() % 40, static_cast<char>('a' + random() % 26));
    const 二维码类 qr = EncodeSymbol(text + std::to_string(i), EcLevels()[i % 4]);
    const QrVersion& version = QrVersion::取版本_通过版本号(qr.GetVersion());
    // The codeword bits, recovered from the chosen symbol by undoing its mask.
    位向量子类 bits;
    for (const ModuleCell cell : SymbolLayout::ForVersion(version).DataCells()) {
      const bool flip = 掩码辅助类::取数据掩码位(qr.GetMaskPattern(), cell.x, cell.y);
      bits.追加位(static_cast<int>((qr.GetMatrix().Get(cell.x, cell.y) == 1) != flip));
    }
    std::vector<int> penalties;
    for (int mask = 0; mask < 8; ++mask) {
      字节矩阵类 matrix;
      矩阵应用类::BuildMatrix(bits, qr.GetEcLevel(), version, mask, matrix);
      penalties.push_back(encoder.CalculateMaskPenalty(PackedSymbol::FromMatrix(matrix)));
    }
    const auto lowest = std::min_element(penalties.begin(), penalties.end());
    ASSERT_EQ(qr.GetMaskPattern(), lowest - penalties.begin()) << text;
    ties += std::count(penalties.begin(), penalties.end(), *lowest) > 1 ? 1 : 0;
  }
  EXPECT_GT(ties, 0);  // the sample holds ties, which go to the lower mask
}

}  // namespace
}  // namespace hosting::qr
