#include "qr/symbol_layout.h"

#include <array>
#include <memory>
#include <mutex>

#include "qr/mask_util.h"

namespace hosting::qr {
namespace {

constexpr int kTypeInfoBits = 15;

struct LayoutCache {
  std::array<std::once_flag, 40> built;
  std::array<std::unique_ptr<const SymbolLayout>, 40> layouts;
};

// Masked merge of one packed line: function | ((placed ^ mask) & region).
void ComposeLine(std::span<const std::uint64_t> function, std::span<const std::uint64_t> placed,
                 std::span<const std::uint64_t> mask, std::span<const std::uint64_t> region,
                 std::span<std::uint64_t> out) {
  for (std::size_t w = 0; w < out.size(); ++w) {
    out[w] = function[w] | ((placed[w] ^ mask[w]) & region[w]);
  }
}

}  // namespace

SymbolLayout::SymbolLayout(const QrVersion& version) {
  字节矩阵类 functionPatterns;
  矩阵应用类::EmbedFunctionPatterns(version, functionPatterns);
  dataCells_ = 矩阵应用类::DataCellOrder(functionPatterns);
  const int n = functionPatterns.GetWidth();
  for (int k = 0; k < kTypeInfoBits; ++k) {
    for (const ModuleCell cell : 矩阵应用类::TypeInfoCells(k, n)) {
      functionPatterns.Set(cell.x, cell.y, 0);
    }
  }
  functionDark_ = PackedSymbol::FromMatrix(functionPatterns);
  dataRegion_ = PackedSymbol(n);
  for (const ModuleCell cell : dataCells_) {
    dataRegion_.SetDark(cell.x, cell.y);
  }
}

const SymbolLayout& SymbolLayout::ForVersion(const QrVersion& version) {
  static LayoutCache cache;
  const auto index = static_cast<std::size_t>(version.GetVersionNumber() - 1);
  std::call_once(cache.built[index],
                 [&] { cache.layouts[index] = std::make_unique<const SymbolLayout>(version); });
  return *cache.layouts[index];
}

PackedSymbol SymbolLayout::PlaceBits(const 位向量类& bits) const {
  PackedSymbol placed(Dimension());
  矩阵应用类::PlaceDataBits(bits, dataCells_, [&placed](ModuleCell cell, bool bit) {
    if (bit) {
      placed.SetDark(cell.x, cell.y);
    }
  });
  return placed;
}

void SymbolLayout::Compose(const PackedSymbol& placed, const EcLevel& level, int mask,
                           PackedSymbol& out) const {
  const int n = Dimension();
  const auto& maskRows = 掩码辅助类::MaskRows(mask);
  const auto& maskColumns = 掩码辅助类::MaskColumns(mask);
  for (int i = 0; i < n; ++i) {
    const auto phase = static_cast<std::size_t>(i % 掩码辅助类::kMaskPeriod);
    ComposeLine(functionDark_.Row(i), placed.Row(i), maskRows[phase], dataRegion_.Row(i),
                out.Row(i));
    ComposeLine(functionDark_.Column(i), placed.Column(i), maskColumns[phase],
                dataRegion_.Column(i), out.Column(i));
  }
  矩阵应用类::PlaceTypeInfo(level, mask, n, [&out](ModuleCell cell, bool bit) {
    if (bit) {
      out.SetDark(cell.x, cell.y);
    }
  });
}

}  // namespace hosting::qr
