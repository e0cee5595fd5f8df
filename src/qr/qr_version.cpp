#include "qr/qr_version.h"

#include <string>
#include <utility>

#include "qr/qr_error.h"

namespace hosting::qr {
namespace {

// Alignment-pattern centres of versions 1-40 (ISO/IEC 18004 Annex E).
const std::array<std::vector<int>, 40> kAlignmentCentres{{
    {},
    {6, 18},
    {6, 22},
    {6, 26},
    {6, 30},
    {6, 34},
    {6, 22, 38},
    {6, 24, 42},
    {6, 26, 46},
    {6, 28, 50},
    {6, 30, 54},
    {6, 32, 58},
    {6, 34, 62},
    {6, 26, 46, 66},
    {6, 26, 48, 70},
    {6, 26, 50, 74},
    {6, 30, 54, 78},
    {6, 30, 56, 82},
    {6, 30, 58, 86},
    {6, 34, 62, 90},
    {6, 28, 50, 72, 94},
    {6, 26, 50, 74, 98},
    {6, 30, 54, 78, 102},
    {6, 28, 54, 80, 106},
    {6, 32, 58, 84, 110},
    {6, 30, 58, 86, 114},
    {6, 34, 62, 90, 118},
    {6, 26, 50, 74, 98, 122},
    {6, 30, 54, 78, 102, 126},
    {6, 26, 52, 78, 104, 130},
    {6, 30, 56, 82, 108, 134},
    {6, 34, 60, 86, 112, 138},
    {6, 30, 58, 86, 114, 142},
    {6, 34, 62, 90, 118, 146},
    {6, 30, 54, 78, 102, 126, 150},
    {6, 24, 50, 76, 102, 128, 154},
    {6, 28, 54, 80, 106, 132, 158},
    {6, 32, 58, 84, 110, 136, 162},
    {6, 26, 54, 82, 110, 138, 166},
    {6, 30, 58, 86, 114, 142, 170},
}};

// EC codewords per block and number of blocks, per level L, M, Q, H, for versions 1-40.
constexpr int kEcPerBlock[4][40] = {
    {7,  10, 15, 20, 26, 18, 20, 24, 30, 18, 20, 24, 26, 30, 22, 24, 28, 30, 28, 28,
     28, 28, 30, 30, 26, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {10, 16, 26, 18, 24, 16, 18, 22, 22, 26, 30, 22, 22, 24, 24, 28, 28, 26, 26, 26,
     26, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28, 28},
    {13, 22, 18, 26, 18, 24, 18, 22, 20, 24, 28, 26, 24, 20, 30, 24, 28, 28, 26, 30,
     28, 30, 30, 30, 30, 28, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
    {17, 28, 22, 16, 22, 28, 26, 26, 24, 28, 24, 28, 22, 24, 24, 30, 28, 28, 26, 28,
     30, 24, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30, 30},
};
constexpr int kNumBlocks[4][40] = {
    {1, 1, 1, 1,  1,  2,  2,  2,  2,  4,  4,  4,  4,  4,  6,  6,  6,  6,  7,  8,
     8, 9, 9, 10, 12, 12, 12, 13, 14, 15, 16, 17, 18, 19, 19, 20, 21, 22, 24, 25},
    {1,  1,  1,  2,  2,  4,  4,  4,  5,  5,  5,  8,  9,  9,  10, 10, 11, 13, 14, 16,
     17, 17, 18, 20, 21, 23, 25, 26, 28, 29, 31, 33, 35, 37, 38, 40, 43, 45, 47, 49},
    {1,  1,  2,  2,  4,  4,  6,  6,  8,  8,  8,  10, 12, 16, 12, 17, 16, 18, 21, 20,
     23, 23, 25, 27, 29, 34, 34, 35, 38, 40, 43, 45, 48, 51, 53, 56, 59, 62, 65, 68},
    {1,  1,  2,  4,  4,  4,  5,  6,  8,  8,  11, 11, 16, 16, 18, 16, 19, 21, 25, 25,
     25, 34, 30, 32, 35, 37, 40, 42, 45, 48, 51, 54, 57, 60, 63, 66, 70, 74, 77, 81},
};

// Modules left for codewords once the function patterns and the format and version
// information are placed, divided into whole codewords.
int TotalCodewords(int number, std::size_t alignmentCount) {
  const int dimension = 17 + 4 * number;
  int modules = dimension * dimension - 3 * 64 - 2 * (dimension - 16) - 31;
  if (alignmentCount > 0) {
    const auto n = static_cast<int>(alignmentCount);
    modules -= 25 * (n * n - 3) - 10 * (n - 2);  // alignment patterns minus timing overlap
  }
  if (number >= 7) {
    modules -= 36;
  }
  return modules / 8;
}

std::vector<QrVersion> BuildVersions() {
  std::vector<QrVersion> versions;
  versions.reserve(40);
  for (int v = 0; v < 40; ++v) {
    std::array<EcBlocks, 4> blocks{EcBlocks(kEcPerBlock[0][v], kNumBlocks[0][v]),
                                   EcBlocks(kEcPerBlock[1][v], kNumBlocks[1][v]),
                                   EcBlocks(kEcPerBlock[2][v], kNumBlocks[2][v]),
                                   EcBlocks(kEcPerBlock[3][v], kNumBlocks[3][v])};
    versions.emplace_back(v + 1, kAlignmentCentres[static_cast<std::size_t>(v)], blocks);
  }
  return versions;
}

const std::vector<QrVersion>& Versions() {
  static const std::vector<QrVersion> versions = BuildVersions();
  return versions;
}

}  // namespace

QrVersion::QrVersion(int number, std::vector<int> alignmentCentres,
                     std::array<EcBlocks, 4> ecBlocks)
    : number_(number),
      alignmentCentres_(std::move(alignmentCentres)),
      ecBlocks_(ecBlocks),
      totalCodewords_(TotalCodewords(number, alignmentCentres_.size())) {}

const EcBlocks& QrVersion::GetEcBlocksForLevel(const EcLevel& level) const {
  return ecBlocks_[static_cast<std::size_t>(level.GetOrdinal() - 1)];
}

const QrVersion& QrVersion::取版本_通过版本号(int number) {
  if (number < 1 || number > 40) {
    RaiseQrError(kClassName, "取版本_通过版本号",
                 "版本号不在0到40之间。当前版本号：" + std::to_string(number));
  }
  return Versions()[static_cast<std::size_t>(number - 1)];
}

}  // namespace hosting::qr
