#pragma once
// QrVersion: one of the 40 symbol versions with its alignment-pattern centres, its block split
// for each level and its total codewords. The table is built once and never changes.

#include <array>
#include <vector>

#include "qr/ec_blocks.h"
#include "qr/ec_level.h"

namespace hosting::qr {

class QrVersion {
 public:
  static constexpr const char* kClassName = "QrVersion";

  QrVersion(int number, std::vector<int> alignmentCentres, std::array<EcBlocks, 4> ecBlocks);

  int GetVersionNumber() const { return number_; }
  const std::vector<int>& GetAlignmentPatternCenters() const { return alignmentCentres_; }
  int GetTotalCodewords() const { return totalCodewords_; }
  int GetDimension() const { return 17 + 4 * number_; }
  const EcBlocks& GetEcBlocksForLevel(const EcLevel& level) const;

  // Raises "版本号不在0到40之间。当前版本号：" + n outside 1-40.
  static const QrVersion& 取版本_通过版本号(int number);

 private:
  int number_;
  std::vector<int> alignmentCentres_;
  std::array<EcBlocks, 4> ecBlocks_;
  int totalCodewords_;
};

}  // namespace hosting::qr
