#include "sandbox/avatar_image.h"

#include "sandbox/bitmap.h"

namespace sandbox {

namespace {

constexpr int kCells = 5;
constexpr int kCell = 12;
constexpr int kMargin = (kAvatarSide - kCells * kCell) / 2;

// splitmix64: spreads neighbouring seeds (consecutive ids) over unrelated patterns.
std::uint64_t Mix(std::uint64_t value) {
  value += 0x9E3779B97F4A7C15ULL;
  value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ULL;
  value = (value ^ (value >> 27)) * 0x94D049BB133111EBULL;
  return value ^ (value >> 31);
}

}  // namespace

std::string RenderAvatar(std::uint64_t seed) {
  const std::uint64_t bits = Mix(seed);
  // Mid-tone colour: each channel in 0x40..0xBF.
  const auto channel = [&](int shift) { return 0x40u + ((bits >> shift) & 0x7Fu); };
  const std::uint32_t colour = (channel(40) << 16) | (channel(48) << 8) | channel(56);
  Bitmap image(kAvatarSide, kAvatarSide, 0xF0F0F0);
  int bit = 0;
  for (int row = 0; row < kCells; ++row) {
    for (int col = 0; col <= kCells / 2; ++col, ++bit) {
      if (((bits >> bit) & 1u) == 0) {
        continue;
      }
      image.FillRect(kMargin + col * kCell, kMargin + row * kCell, kCell, kCell, colour);
      image.FillRect(kMargin + (kCells - 1 - col) * kCell, kMargin + row * kCell, kCell, kCell,
                     colour);
    }
  }
  return image.ToBmp();
}

}  // namespace sandbox
