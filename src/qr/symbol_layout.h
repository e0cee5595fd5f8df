#pragma once
// SymbolLayout: what every symbol of one version shares — the packed function patterns, the data
// region and the order of the data modules — built once per version and then only read, so the
// eight mask candidates of every encode reuse it.

#include <span>
#include <vector>

#include "qr/bit_vector.h"
#include "qr/ec_level.h"
#include "qr/matrix_util.h"
#include "qr/packed_symbol.h"
#include "qr/qr_version.h"

namespace hosting::qr {

class SymbolLayout {
 public:
  explicit SymbolLayout(const QrVersion& version);

  // The shared layout of version, built on first use; safe to call from any thread.
  static const SymbolLayout& ForVersion(const QrVersion& version);

  int Dimension() const { return functionDark_.Dimension(); }
  std::span<const ModuleCell> DataCells() const { return dataCells_; }

  // Codeword bits, unmasked, at their data modules (dark where the bit is 1).
  PackedSymbol PlaceBits(const 位向量类& bits) const;
  // The finished symbol for one mask: function patterns, format information of level and
  // mask, and the placed bits flipped by the mask. out must have this layout's dimension.
  void Compose(const PackedSymbol& placed, const EcLevel& level, int mask, PackedSymbol& out) const;

 private:
  std::vector<ModuleCell> dataCells_;
  PackedSymbol functionDark_;  // dark function modules; the format area left light
  PackedSymbol dataRegion_;    // set on every data module
};

}  // namespace hosting::qr
