#include "qr/mask_util.h"

#include <array>
#include <cstdlib>

#include "qr/qr_code.h"
#include "qr/qr_error.h"

namespace hosting::qr {
namespace {

constexpr int kWords = PackedSymbol::kMaxWords;
constexpr int kMaskPeriod = 掩码辅助类::kMaskPeriod;

struct MaskTables {
  std::array<掩码辅助类::MaskLines, 8> rows{};
  std::array<掩码辅助类::MaskLines, 8> columns{};
};

const MaskTables& Masks() {
  static const MaskTables tables = [] {
    MaskTables t;
    for (int mask = 0; mask < 8; ++mask) {
      for (int phase = 0; phase < kMaskPeriod; ++phase) {
        for (int i = 0; i < 64 * kWords; ++i) {
          const std::uint64_t bit = std::uint64_t{1} << PackedSymbol::Bit(i);
          const auto m = static_cast<std::size_t>(mask);
          const auto p = static_cast<std::size_t>(phase);
          if (掩码辅助类::取数据掩码位(mask, i, phase)) {
            t.rows[m][p][PackedSymbol::Word(i)] |= bit;
          }
          if (掩码辅助类::取数据掩码位(mask, phase, i)) {
            t.columns[m][p][PackedSymbol::Word(i)] |= bit;
          }
        }
      }
    }
    return t;
  }();
  return tables;
}

// Bit count without relying on a popcnt instruction (the build targets plain x86-64, where
// std::popcount becomes a library call).
int CountBits(std::uint64_t x) {
  x = x - ((x >> 1) & 0x5555555555555555ULL);
  x = (x & 0x3333333333333333ULL) + ((x >> 2) & 0x3333333333333333ULL);
  x = (x + (x >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
  return static_cast<int>((x * 0x0101010101010101ULL) >> 56);
}

// A line of W words, bit i = module i. Shifts move modules across word boundaries.
template <int W>
struct Line {
  std::array<std::uint64_t, W> w{};

  static Line Load(std::span<const std::uint64_t> words) {
    Line line;
    for (int i = 0; i < W; ++i) {
      line.w[i] = words[static_cast<std::size_t>(i)];
    }
    return line;
  }
  // Bits 0 .. count-1 set.
  static Line LowBits(int count) {
    Line line;
    for (int i = 0; i < W; ++i) {
      const int bits = count - 64 * i;
      line.w[i] = bits >= 64 ? ~std::uint64_t{0} : (bits <= 0 ? 0 : (std::uint64_t{1} << bits) - 1);
    }
    return line;
  }
  // Module i + k moves to i.
  Line Down(unsigned k) const {
    Line line;
    for (int i = 0; i < W; ++i) {
      line.w[i] = w[i] >> k;
      if (i + 1 < W) {
        line.w[i] |= w[i + 1] << (64 - k);
      }
    }
    return line;
  }
  // Module i - k moves to i.
  Line Up(unsigned k) const {
    Line line;
    for (int i = 0; i < W; ++i) {
      line.w[i] = w[i] << k;
      if (i > 0) {
        line.w[i] |= w[i - 1] >> (64 - k);
      }
    }
    return line;
  }
  Line operator&(const Line& o) const {
    Line line;
    for (int i = 0; i < W; ++i) {
      line.w[i] = w[i] & o.w[i];
    }
    return line;
  }
  Line operator|(const Line& o) const {
    Line line;
    for (int i = 0; i < W; ++i) {
      line.w[i] = w[i] | o.w[i];
    }
    return line;
  }
  // Equal modules: set where this and o agree, inside valid.
  Line Same(const Line& o, const Line& valid) const {
    Line line;
    for (int i = 0; i < W; ++i) {
      line.w[i] = ~(w[i] ^ o.w[i]) & valid.w[i];
    }
    return line;
  }
  Line AndNot(const Line& o) const {
    Line line;
    for (int i = 0; i < W; ++i) {
      line.w[i] = w[i] & ~o.w[i];
    }
    return line;
  }
  bool Any() const {
    std::uint64_t any = 0;
    for (int i = 0; i < W; ++i) {
      any |= w[i];
    }
    return any != 0;
  }
  int Count() const {
    int count = 0;
    for (int i = 0; i < W; ++i) {
      count += CountBits(w[i]);
    }
    return count;
  }
};

template <int W>
int Rule1Lines(const PackedSymbol& symbol, bool isHorizontal) {
  const int n = symbol.Dimension();
  const auto pairs = Line<W>::LowBits(n - 1);
  int penalty = 0;
  for (int i = 0; i < n; ++i) {
    const auto line = Line<W>::Load(isHorizontal ? symbol.Row(i) : symbol.Column(i));
    // same: module i equals module i + 1; five: modules i .. i + 4 are equal.
    const auto same = line.Same(line.Down(1), pairs);
    const auto five = same & same.Down(1) & same.Down(2) & same.Down(3);
    // A run of L >= 5 leaves L - 4 bits in five and scores N1 + L - 5: add N1 - 1 per run.
    const auto starts = five.AndNot(five.Up(1));
    penalty += five.Count() + (掩码辅助类::kN1 - 1) * starts.Count();
  }
  return penalty;
}

template <int W>
int Rule2Lines(const PackedSymbol& symbol) {
  const int n = symbol.Dimension();
  const auto pairs = Line<W>::LowBits(n - 1);
  int blocks = 0;
  auto upper = Line<W>::Load(symbol.Row(0));
  for (int y = 1; y < n; ++y) {
    const auto lower = Line<W>::Load(symbol.Row(y));
    const auto equal = upper.Same(lower, pairs) & upper.Same(upper.Down(1), pairs) &
                       lower.Same(lower.Down(1), pairs);
    blocks += equal.Count();
    upper = lower;
  }
  return blocks * 掩码辅助类::kN2;
}

template <int W>
int Rule3Lines(const PackedSymbol& symbol, bool isHorizontal) {
  const int n = symbol.Dimension();
  const auto valid = Line<W>::LowBits(n);
  int found = 0;
  for (int i = 0; i < n; ++i) {
    const auto dark = Line<W>::Load(isHorizontal ? symbol.Row(i) : symbol.Column(i));
    const auto light = valid.AndNot(dark);
    // Bits beyond the symbol are neither dark nor light, so runs never reach outside it.
    const auto lightNext = light.Down(1);
    const auto darkThree = dark & dark.Down(1) & dark.Down(2);
    const auto finder =
        dark & lightNext & darkThree.Down(2) & light.Down(5) & dark.Down(6);  // 1011101
    if (!finder.Any()) {
      continue;
    }
    const auto lightPair = light & lightNext;
    const auto lightFour = lightPair & lightPair.Down(2);  // modules i .. i + 3 light
    const auto before = lightFour.Up(4);
    const auto after = lightFour.Down(7);
    found += (finder & (before | after)).Count();
  }
  return found;
}

// Runs score(W) with W = the symbol's words per line.
template <typename Score>
int ByWords(const PackedSymbol& symbol, Score score) {
  switch (symbol.Words()) {
    case 1:
      return score.template operator()<1>();
    case 2:
      return score.template operator()<2>();
    default:
      return score.template operator()<3>();
  }
}

}  // namespace

bool 掩码辅助类::取数据掩码位(int mask, int x, int y) {
  if (!二维码类::IsValidMaskPattern(mask)) {
    RaiseQrError(kClassName, "取数据掩码位", "无效的掩图。");
  }
  const int i = y;
  const int j = x;
  switch (mask) {
    case 0:
      return (i + j) % 2 == 0;
    case 1:
      return i % 2 == 0;
    case 2:
      return j % 3 == 0;
    case 3:
      return (i + j) % 3 == 0;
    case 4:
      return (i / 2 + j / 3) % 2 == 0;
    case 5:
      return (i * j) % 2 + (i * j) % 3 == 0;
    case 6:
      return ((i * j) % 2 + (i * j) % 3) % 2 == 0;
    default:
      return ((i * j) % 3 + (i + j) % 2) % 2 == 0;
  }
}

const 掩码辅助类::MaskLines& 掩码辅助类::MaskRows(int mask) {
  return Masks().rows[static_cast<std::size_t>(mask)];
}

const 掩码辅助类::MaskLines& 掩码辅助类::MaskColumns(int mask) {
  return Masks().columns[static_cast<std::size_t>(mask)];
}

int 掩码辅助类::ApplyMaskPenaltyRule1(const PackedSymbol& symbol) {
  return ByWords(
      symbol, [&]<int W>() { return Rule1Lines<W>(symbol, true) + Rule1Lines<W>(symbol, false); });
}

int 掩码辅助类::ApplyMaskPenaltyRule2(const PackedSymbol& symbol) {
  return ByWords(symbol, [&]<int W>() { return Rule2Lines<W>(symbol); });
}

int 掩码辅助类::ApplyMaskPenaltyRule3(const PackedSymbol& symbol) {
  return ByWords(symbol, [&]<int W>() {
    return (Rule3Lines<W>(symbol, true) + Rule3Lines<W>(symbol, false)) * kN3;
  });
}

int 掩码辅助类::ApplyMaskPenaltyRule4(const PackedSymbol& symbol) {
  const int n = symbol.Dimension();
  long long dark = 0;
  for (int y = 0; y < n; ++y) {
    for (const std::uint64_t word : symbol.Row(y)) {
      dark += CountBits(word);
    }
  }
  const long long total = static_cast<long long>(n) * n;
  // truncate(100 * dark / total - 50), exact in integers: division truncates toward zero.
  const long long offset = (100 * dark - 50 * total) / total;
  return static_cast<int>(std::llabs(offset) / 5) * kN4;
}

}  // namespace hosting::qr
