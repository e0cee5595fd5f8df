#include "ui/skin/memory_module.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <map>

#include "skin/pe_builder.h"

namespace hosting::skin {
namespace {

using test::PeImage;
using test::PutU32;

constexpr std::uint32_t kPreferredBase = 0x30000000, kData = PeImage::kData;

std::uint32_t U32At(std::uint32_t address) {
  std::uint32_t value = 0;  // the test host is little-endian like the image
  std::memcpy(&value, reinterpret_cast<const void*>(std::uintptr_t{address}), 4);
  return value;
}

TEST(MemoryModule, MapsTheImageAndRelocatesItWhenItCannotSitAtItsBase) {
  PeImage image{.imageBase = kPreferredBase, .data = std::vector<std::uint8_t>(0x1010, 0xAB)};
  PutU32(image.data, 0x0, kPreferredBase + 0x1008);
  PutU32(image.data, 0x4, 0x12345678);  // named by an entry of type 10: left alone
  PutU32(image.data, 0x1004, kPreferredBase + 0x2000);
  image.relocations = {{kData, 3}, {kData + 4, 10}, {kData + 0x1004, 3}};
  image.Build();

  MemoryModule atBase;
  ASSERT_TRUE(atBase.Load(image.bytes));
  ASSERT_EQ(atBase.GetBase(), kPreferredBase);
  const auto* mapped = reinterpret_cast<const std::uint8_t*>(std::uintptr_t{kPreferredBase});
  EXPECT_TRUE(std::equal(image.bytes.begin(), image.bytes.begin() + 0x400, mapped)) << "headers";
  EXPECT_TRUE(std::equal(image.bytes.begin() + 0x400, image.bytes.end(), mapped + kData));

  MemoryModule moved;  // the preferred base is taken now
  ASSERT_TRUE(moved.Load(image.bytes));
  const std::uint32_t base = moved.GetBase();
  ASSERT_NE(base, kPreferredBase);
  EXPECT_EQ(U32At(base + kData), base + 0x1008);
  EXPECT_EQ(U32At(base + kData + 4), 0x12345678U);
  EXPECT_EQ(U32At(base + kData + 0x1004), base + 0x2000);
  EXPECT_TRUE(moved.Free());
  EXPECT_EQ(moved.GetBase(), 0U);
}

TEST(MemoryModule, GetProcFindsAnExportByItsWholeNameOnly) {
  PeImage image{.data = {0xC3, 0xC3},
                .exports = {{"SkinH_Attach", kData}, {"SkinH_AttachRes", kData + 1}}};
  MemoryModule module;
  EXPECT_EQ(module.GetProc("SkinH_AttachRes"), 0U) << "nothing loaded";
  ASSERT_TRUE(module.Load(image.Build()));
  EXPECT_EQ(module.GetProc("SkinH_AttachRes"), module.GetBase() + kData + 1);
  EXPECT_EQ(module.GetProc("SkinH_Attach"), module.GetBase() + kData);
  for (const char* absent : {"SkinH_AttachR", "SkinH_AttachResX", ""})
    EXPECT_EQ(module.GetProc(absent), 0U) << absent;
  module.Free();
  EXPECT_EQ(module.GetProc("SkinH_AttachRes"), 0U);

  // Each name is compared in place, reading no further than the name asked for: scanning each to
  // its NUL made 60,000 names over 1 MiB without one a scan of 60 GB.
  constexpr std::uint32_t kNames = 60'000, kTable = kData + (1 << 20);
  image.data.assign(1 << 20, 'S');
  for (std::uint32_t i = 0; i < kNames; ++i)
    PutU32(image.data, kTable - kData + 4 * i, kData);
  image.data.resize(kTable - kData + 6 * kNames);  // the ordinals, all 0
  image.exports = {{"S", kData}};
  image.Build();
  const std::size_t directory = PeImage::FileOffset(image.directoryRva[0]);
  PutU32(image.bytes, directory + 24, kNames);
  PutU32(image.bytes, directory + 32, kTable);
  PutU32(image.bytes, directory + 36, kTable + 4 * kNames);
  ASSERT_TRUE(module.Load(image.bytes));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(module.GetProc("SSSSSSSSSSSSSSS"), 0U) << "no NUL ends the name";
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(MemoryModule, ResolvesImportsByNameAndOrdinalThroughTheResolver) {
  PeImage image{
      .data = {0},
      .imports = {{"KERNEL32.dll", {{"GetTickCount"}, {"Sleep"}}}, {"USER32.dll", {{"", 42}}}}};
  std::map<std::string, std::uint32_t> answers = {{"KERNEL32.dll!GetTickCount", 0x7000'1000U},
                                                  {"KERNEL32.dll!Sleep", 0x7000'3000U},
                                                  {"USER32.dll!#42", 0x7100'2000U}};
  std::vector<std::string> asked;
  const ImportResolver resolver = [&](const ImportRequest& r) {
    asked.push_back(std::string(r.library) + "!" +
                    (r.name.empty() ? "#" + std::to_string(r.ordinal) : std::string(r.name)));
    return answers.contains(asked.back()) ? answers[asked.back()] : 0U;
  };
  MemoryModule module;
  ASSERT_TRUE(module.Load(image.Build(), resolver));
  ASSERT_EQ(asked.size(), 3U);
  const std::uint32_t expected[] = {0x7000'1000U, 0x7000'3000U, 0x7100'2000U};
  for (std::size_t i = 0; i < 3; ++i)
    EXPECT_EQ(U32At(module.GetBase() + image.importSlots[i]), expected[i]) << i;

  answers.erase("KERNEL32.dll!Sleep");
  EXPECT_FALSE(module.Load(image.bytes, resolver)) << "an unresolved import fails the load";
  EXPECT_EQ(module.GetBase(), 0U);

  // Names are bounded to 1 KiB, so a damaged table cannot make each import read on and on.
  for (const std::size_t length : {1024, 1025}) {
    PeImage named{.data = {0}, .imports = {{"a.dll", {{std::string(length, 'x')}}}}};
    asked.clear();
    EXPECT_FALSE(module.Load(named.Build(), resolver));
    EXPECT_EQ(asked.size(), length <= 1024 ? 1U : 0U) << length;
  }
}

// Each damage makes a header, table or directory point outside the image, or asks for a move the
// image cannot make: the copy is refused, and the module held before is gone as well.
TEST(MemoryModule, RefusesDamagedImagesAndThenHoldsNothing) {
  PeImage image{.imageBase = kPreferredBase,
                .data = {1, 2, 3, 4},
                .imports = {{"a.dll", {{"g"}}}},
                .relocations = {{kData, 3}}};
  image.Build();
  const ImportResolver resolveAll = [](const ImportRequest&) { return 0x1000U; };
  MemoryModule blocker;  // holding the preferred base sends every copy down the relocation road
  ASSERT_TRUE(blocker.Load(image.bytes, resolveAll));

  const std::size_t pe = PeImage::kPeOffset, opt = PeImage::kOptionalHeader;
  const std::size_t section = PeImage::kSectionTable;
  const std::uint32_t end = image.sizeOfImage;
  const std::size_t imports = PeImage::FileOffset(image.directoryRva[1]);
  const std::size_t block = PeImage::FileOffset(image.directoryRva[5]);
  const struct {
    const char* what;
    std::size_t offset;
    std::uint32_t value;
    bool cut = false;  // the image cut to `offset` bytes instead
  } damages[] = {
      {"no MZ", 0, 0},
      {"PE\\0\\1", pe, 0x01004550},
      {"PE header far outside", 60, 0xFFFFFFF0},
      {"optional header shorter than its fields", pe + 20, 0x21020010},
      {"more sections than the file holds", pe + 6, 0xFFFF},
      {"relocations stripped", pe + 20, 0x210300E0},
      {"entry point outside the image", opt + 16, 0x00FFFFFF},
      {"SectionAlignment 0", opt + 32, 0},
      {"SizeOfImage 0", opt + 56, 0},
      {"SizeOfImage beyond any sane image", opt + 56, 0x7FFFFFFF},
      {"SizeOfHeaders beyond the file", opt + 60, 0x00100000},
      {"import directory crossing the end", opt + 104, end - 4},
      {"import directory far outside", opt + 104, 0xFFFFFFF0},
      {"relocation directory outside", opt + 136, 0xFFFFF000},
      {"raw data beyond the file", section + 20, 0xFFFFFF00},
      {"section beyond SizeOfImage", section + 12, end},
      {"lookup table outside", imports, end},
      {"library name outside", imports + 12, 0xFFFFFF00},
      {"address table outside", imports + 16, end - 2},
      {"relocation block smaller than its header", block + 4, 4},
      {"relocation block longer than the directory", block + 4, 0x100},
      {"relocated place beyond the image", block, end},
      {"cut inside the DOS header", 63, 0, true},
      {"cut inside the headers", 0x3FF, 0, true},
      {"empty", 0, 0, true},
  };
  MemoryModule module;
  for (const auto& damage : damages) {
    auto damaged = image.bytes;
    if (damage.cut)
      damaged.resize(damage.offset);
    else
      PutU32(damaged, damage.offset, damage.value);
    ASSERT_TRUE(module.Load(image.bytes, resolveAll));
    EXPECT_FALSE(module.Load(damaged, resolveAll)) << damage.what;
    EXPECT_EQ(module.GetBase(), 0U) << damage.what;
  }
}

}  // namespace
}  // namespace hosting::skin
