// Loads 10,000 damaged copies of a complete image. Run under the asan preset, any read or write
// outside the image or the mapping stops the test; every load must also leave nothing held when
// it fails, and a loaded image must answer GetProc.

#include <gtest/gtest.h>

#include <random>

#include "skin/pe_builder.h"
#include "ui/skin/memory_module.h"

namespace hosting::skin {
namespace {

using test::PeBuilder;
using test::PeImage;

constexpr int kMutations = 10'000;

PeImage CompleteImage() {
  PeBuilder builder;
  builder.ImageBase(0x31000000);
  std::vector<std::uint8_t> data(0x40, 0x90);
  const std::uint32_t rva = builder.AddSection(data);
  builder.AddSection({}, 0x800);
  builder.Export("SkinH_AttachRes", rva).Export("SkinH_Detach", rva + 8);
  builder.Import("a.dll", "one").Import("a.dll", "", 7).Import("b.dll", "two");
  builder.Relocation(rva).Relocation(rva + 0x10).Relocation(rva + 0x20, 10);
  return builder.Build();
}

// One to eight changes: a random byte, a boundary value written as 32 bits, or a cut of the image.
std::vector<std::uint8_t> Mutate(const std::vector<std::uint8_t>& original, std::mt19937& random) {
  static constexpr std::uint32_t kBoundaries[] = {0,          1,          0x7F,       0x80,
                                                  0xFF,       0x1000,     0x7FFFFFFF, 0x80000000,
                                                  0xFFFFFFFF, 0xFFFFFFF8, 0x10000,    0x3FF};
  auto image = original;
  const int changes = std::uniform_int_distribution<int>(1, 8)(random);
  for (int i = 0; i < changes && !image.empty(); ++i) {
    // Most of what the loader reads sits in the headers; aim there more often.
    const std::size_t limit =
        random() % 2 == 0 ? std::min<std::size_t>(0x400, image.size()) : image.size();
    const std::size_t at = random() % limit;
    switch (random() % 4) {
      case 0:
        image[at] = static_cast<std::uint8_t>(random());
        break;
      case 1:
        image[at] ^= static_cast<std::uint8_t>(1U << (random() % 8));
        break;
      case 2:
        if (at + 4 <= image.size()) {
          test::PutU32(image, at, kBoundaries[random() % std::size(kBoundaries)]);
        }
        break;
      default:
        if (random() % 8 == 0) {
          image.resize(at);
        }
        break;
    }
  }
  return image;
}

TEST(MemoryModuleFuzz, DamagedImagesNeverCrashAndFailuresHoldNothing) {
  const PeImage original = CompleteImage();
  const ImportResolver resolveAll = [](const ImportRequest& r) {
    return 0x1000U + r.ordinal + static_cast<std::uint32_t>(r.name.size());
  };
  // Holding the preferred base makes the damaged copies take the relocation road.
  MemoryModule blocker;
  ASSERT_TRUE(blocker.Load(original.bytes, resolveAll));

  std::mt19937 random(20240611);
  MemoryModule module;
  int loaded = 0;
  for (int i = 0; i < kMutations; ++i) {
    const auto image = Mutate(original.bytes, random);
    if (module.Load(image, resolveAll)) {
      ++loaded;
      ASSERT_NE(module.GetBase(), 0U);
      const std::uint32_t proc = module.GetProc("SkinH_AttachRes");
      EXPECT_TRUE(proc == 0 || proc > module.GetBase());
      EXPECT_EQ(module.GetProc("missing"), 0U);
    } else {
      ASSERT_EQ(module.GetBase(), 0U) << "mutation " << i;
    }
  }
  // Both roads must have been taken for the run to mean anything.
  EXPECT_GT(loaded, kMutations / 20);
  EXPECT_LT(loaded, kMutations);
}

}  // namespace
}  // namespace hosting::skin
