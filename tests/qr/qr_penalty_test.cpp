// Mask penalties: the packed scoring against a plain cell-by-cell count, and the mask choice.

#include <gtest/gtest.h>

#include <cstdlib>
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

using Grid = std::vector<std::vector<int>>;  // [y][x], 1 = dark

int Cell(const Grid& g, int x, int y, bool horizontal) {
  return horizontal ? g[y][x] : g[x][y];
}

int NaiveRule1(const Grid& g) {
  const int n = static_cast<int>(g.size());
  int penalty = 0;
  for (const bool horizontal : {true, false}) {
    for (int i = 0; i < n; ++i) {
      int run = 1;
      for (int j = 1; j <= n; ++j) {
        if (j < n && Cell(g, j, i, horizontal) == Cell(g, j - 1, i, horizontal)) {
          ++run;
          continue;
        }
        if (run >= 5) {
          penalty += 3 + run - 5;
        }
        run = 1;
      }
    }
  }
  return penalty;
}

int NaiveRule2(const Grid& g) {
  const int n = static_cast<int>(g.size());
  int penalty = 0;
  for (int y = 0; y + 1 < n; ++y) {
    for (int x = 0; x + 1 < n; ++x) {
      const int v = g[y][x];
      if (g[y][x + 1] == v && g[y + 1][x] == v && g[y + 1][x + 1] == v) {
        penalty += 3;
      }
    }
  }
  return penalty;
}

int NaiveRule3(const Grid& g) {
  const int n = static_cast<int>(g.size());
  const int pattern[7] = {1, 0, 1, 1, 1, 0, 1};
  int found = 0;
  for (const bool horizontal : {true, false}) {
    for (int i = 0; i < n; ++i) {
      for (int j = 0; j + 7 <= n; ++j) {
        bool match = true;
        for (int k = 0; k < 7; ++k) {
          match = match && Cell(g, j + k, i, horizontal) == pattern[k];
        }
        const auto lightRun = [&](int from) {
          if (from < 0 || from + 4 > n) {
            return false;  // the four light modules must lie inside the symbol
          }
          for (int k = from; k < from + 4; ++k) {
            if (Cell(g, k, i, horizontal) != 0) {
              return false;
            }
          }
          return true;
        };
        if (match && (lightRun(j - 4) || lightRun(j + 7))) {
          ++found;
        }
      }
    }
  }
  return found * 40;
}

int NaiveRule4(const Grid& g) {
  double dark = 0;
  for (const auto& row : g) {
    for (const int v : row) {
      dark += v;
    }
  }
  const double percent = dark * 100.0 / static_cast<double>(g.size() * g.size());
  return 10 * (std::abs(static_cast<int>(percent - 50)) / 5);
}

PackedSymbol Pack(const Grid& g) {
  const int n = static_cast<int>(g.size());
  字节矩阵类 matrix(n, n);
  for (int y = 0; y < n; ++y) {
    for (int x = 0; x < n; ++x) {
      matrix.Set(x, y, static_cast<std::int8_t>(g[y][x]));
    }
  }
  return PackedSymbol::FromMatrix(matrix);
}

void ExpectSameAsNaive(const Grid& g) {
  const PackedSymbol packed = Pack(g);
  EXPECT_EQ(掩码辅助类::ApplyMaskPenaltyRule1(packed), NaiveRule1(g));
  EXPECT_EQ(掩码辅助类::ApplyMaskPenaltyRule2(packed), NaiveRule2(g));
  EXPECT_EQ(掩码辅助类::ApplyMaskPenaltyRule3(packed), NaiveRule3(g));
  EXPECT_EQ(掩码辅助类::ApplyMaskPenaltyRule4(packed), NaiveRule4(g));
}

TEST(QrPenalty, PackedRulesAgreeWithACellByCellCount) {
  std::mt19937 random(5);
  // Sizes around the 64-module word boundaries, with dense, sparse and run-heavy content.
  for (const int n : {7, 21, 25, 61, 63, 64, 65, 69, 125, 127, 128, 129, 177}) {
    for (const int density : {2, 5, 8}) {
      Grid g(static_cast<std::size_t>(n), std::vector<int>(static_cast<std::size_t>(n)));
      for (auto& row : g) {
        int value = 0;
        for (auto& cell : row) {
          if (static_cast<int>(random() % 10) >= density) {
            value = static_cast<int>(random() % 2);  // otherwise repeat: long runs
          }
          cell = value;
        }
      }
      SCOPED_TRACE(testing::Message() << "n " << n << " density " << density);
      ExpectSameAsNaive(g);
    }
  }
}

TEST(QrPenalty, FinderLikeRunsNeedFourLightModulesInsideTheSymbol) {
  // 1011101 at the very start of a line, light after it: scored once per line direction.
  Grid g(11, std::vector<int>(11, 0));
  g[5] = {1, 0, 1, 1, 1, 0, 1, 0, 0, 0, 0};
  EXPECT_EQ(掩码辅助类::ApplyMaskPenaltyRule3(Pack(g)), 40);
  // Only three light modules follow and none precede inside the symbol: no score.
  Grid shortRow(10, std::vector<int>(10, 0));
  shortRow[5] = {1, 0, 1, 1, 1, 0, 1, 0, 0, 0};
  EXPECT_EQ(掩码辅助类::ApplyMaskPenaltyRule3(Pack(shortRow)), 0);
  ExpectSameAsNaive(g);
}

TEST(QrPenalty, DarkShareRule) {
  Grid allDark(21, std::vector<int>(21, 1));
  EXPECT_EQ(掩码辅助类::ApplyMaskPenaltyRule4(Pack(allDark)), 100);
  Grid half(20, std::vector<int>(20, 0));
  for (int y = 0; y < 10; ++y) {
    half[static_cast<std::size_t>(y)].assign(20, 1);
  }
  EXPECT_EQ(掩码辅助类::ApplyMaskPenaltyRule4(Pack(half)), 0);
  // 55 % dark is one whole 5 % step away; 54.9 % is not.
  Grid most(20, std::vector<int>(20, 0));
  for (int i = 0; i < 220; ++i) {
    most[static_cast<std::size_t>(i / 20)][static_cast<std::size_t>(i % 20)] = 1;
  }
  EXPECT_EQ(掩码辅助类::ApplyMaskPenaltyRule4(Pack(most)), 10);
  most[0][0] = 0;
  EXPECT_EQ(掩码辅助类::ApplyMaskPenaltyRule4(Pack(most)), 0);
}

TEST(QrPenalty, FirstLowestMaskWinsAndTiesGoToTheLowerNumber) {
  const 编码类 encoder;
  std::mt19937 random(9);
  int ties = 0;
  for (int i = 0; i < 400; ++i) {
    const std::string text(1 + random() % 40, static_cast<char>('a' + random() % 26));
    const 二维码类 qr = EncodeSymbol(text + std::to_string(i), EcLevels()[i % 4]);
    const QrVersion& version = QrVersion::取版本_通过版本号(qr.GetVersion());
    // Recover the codeword bits from the chosen symbol by undoing its mask.
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
    ASSERT_EQ(encoder.ChooseMaskPattern(bits, qr.GetEcLevel(), version), qr.GetMaskPattern());
    ties += std::count(penalties.begin(), penalties.end(), *lowest) > 1 ? 1 : 0;
  }
  EXPECT_GT(ties, 0);  // the sample really contained ties
}

}  // namespace
}  // namespace hosting::qr
