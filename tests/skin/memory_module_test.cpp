#include "ui/skin/memory_module.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <map>
#include <string>

#include "skin/pe_builder.h"

namespace hosting::skin {
namespace {

using test::PeBuilder;
using test::PeImage;
using test::PutU32;

constexpr std::uint32_t kPreferredBase = 0x30000000;

const std::uint8_t* At(std::uint32_t address) {
  return reinterpret_cast<const std::uint8_t*>(static_cast<std::uintptr_t>(address));
}

std::uint32_t U32At(std::uint32_t address) {
  std::uint32_t value = 0;
  std::memcpy(&value, At(address), 4);  // the test host is little-endian like the image
  return value;
}

TEST(MemoryModule, MapsTheImageAndRelocatesItWhenItCannotSitAtItsBase) {
  PeBuilder builder;
  builder.imageBase = kPreferredBase;
  std::vector<std::uint8_t> data(0x1010, 0xAB);
  PutU32(data, 0x0, kPreferredBase + 0x1008);     // HIGHLOW
  PutU32(data, 0x4, 0x12345678);                  // an entry of type 10: skipped
  PutU32(data, 0x1004, kPreferredBase + 0x2000);  // HIGHLOW on the second page
  const std::uint32_t rva = builder.Add(data);
  builder.Relocation(rva).Relocation(rva + 4, 10).Relocation(rva + 0x1004);
  const PeImage image = builder.Build();

  MemoryModule atBase;
  ASSERT_TRUE(atBase.Load(image.bytes));
  ASSERT_EQ(atBase.GetBase(), kPreferredBase);
  EXPECT_EQ(0, std::memcmp(At(kPreferredBase), image.bytes.data(), 0x400)) << "headers";
  EXPECT_EQ(U32At(kPreferredBase + rva), kPreferredBase + 0x1008) << "nothing to relocate";
  EXPECT_EQ(At(kPreferredBase + rva)[0x100F], 0xAB);

  MemoryModule moved;  // the preferred base is taken now
  ASSERT_TRUE(moved.Load(image.bytes));
  const std::uint32_t base = moved.GetBase();
  ASSERT_NE(base, kPreferredBase);
  EXPECT_EQ(U32At(base + rva), base + 0x1008);
  EXPECT_EQ(U32At(base + rva + 4), 0x12345678U);
  EXPECT_EQ(U32At(base + rva + 0x1004), base + 0x2000);
  EXPECT_TRUE(moved.Free());
  EXPECT_EQ(moved.GetBase(), 0U);
}

TEST(MemoryModule, GetProcFindsAnExportByItsWholeName) {
  PeBuilder builder;
  const std::uint32_t code = builder.Add({0xC3, 0xC3});
  builder.Export("SkinH_Attach", code).Export("SkinH_AttachRes", code + 1);
  MemoryModule module;
  EXPECT_EQ(module.GetProc("SkinH_AttachRes"), 0U) << "nothing loaded";
  ASSERT_TRUE(module.Load(builder.Build().bytes));
  EXPECT_EQ(module.GetProc("SkinH_AttachRes"), module.GetBase() + code + 1);
  EXPECT_EQ(module.GetProc("SkinH_Attach"), module.GetBase() + code);
  for (const char* absent : {"SkinH_AttachR", "SkinH_AttachResX", ""})
    EXPECT_EQ(module.GetProc(absent), 0U) << absent;
  module.Free();
  EXPECT_EQ(module.GetProc("SkinH_AttachRes"), 0U);
}

// Each name is compared in place, reading no further than the name asked for. Scanning every
// entry to its NUL made 60,000 names over 1 MiB without one a scan of 60 GB.
TEST(MemoryModule, GetProcOverManyUnterminatedNamesStaysLinear) {
  constexpr std::uint32_t kNames = 60'000;
  PeBuilder builder;
  const std::uint32_t run = builder.Add(std::vector<std::uint8_t>(1 << 20, 'S'));
  const std::uint32_t table = builder.Add(std::vector<std::uint8_t>(6 * kNames));
  builder.Export("S", run);
  PeImage image = builder.Build();
  for (std::uint32_t i = 0; i < kNames; ++i)
    PutU32(image.bytes, PeImage::FileOffset(table) + 4 * i, run);
  const std::size_t directory = PeImage::FileOffset(image.directoryRva[0]);
  PutU32(image.bytes, directory + 24, kNames);
  PutU32(image.bytes, directory + 32, table);
  PutU32(image.bytes, directory + 36, table + 4 * kNames);  // ordinals, all 0

  MemoryModule module;
  ASSERT_TRUE(module.Load(image.bytes));
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(module.GetProc("SSSSSSSSSSSSSSS"), 0U) << "no NUL ends the name";
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(1));
}

TEST(MemoryModule, ResolvesImportsByNameAndOrdinalThroughTheResolver) {
  PeBuilder builder;
  builder.Add({0});
  builder.Import("KERNEL32.dll", "GetTickCount")
      .Import("USER32.dll", "", 42)
      .Import("KERNEL32.dll", "Sleep");
  const PeImage image = builder.Build();
  std::map<std::string, std::uint32_t> answers = {{"KERNEL32.dll!GetTickCount", 0x7000'1000U},
                                                  {"USER32.dll!#42", 0x7100'2000U},
                                                  {"KERNEL32.dll!Sleep", 0x7000'3000U}};
  std::vector<std::string> asked;
  const ImportResolver resolver = [&](const ImportRequest& r) {
    asked.push_back(std::string(r.library) + "!" +
                    (r.name.empty() ? "#" + std::to_string(r.ordinal) : std::string(r.name)));
    const auto found = answers.find(asked.back());
    return found == answers.end() ? 0U : found->second;
  };

  MemoryModule module;
  ASSERT_TRUE(module.Load(image.bytes, resolver));
  EXPECT_EQ(U32At(module.GetBase() + image.importSlots[0]), 0x7000'1000U);
  EXPECT_EQ(U32At(module.GetBase() + image.importSlots[1]), 0x7100'2000U);
  EXPECT_EQ(U32At(module.GetBase() + image.importSlots[2]), 0x7000'3000U);
  EXPECT_EQ(asked.size(), 3U);

  answers.erase("KERNEL32.dll!Sleep");
  EXPECT_FALSE(module.Load(image.bytes, resolver)) << "an unresolved import fails the load";
  EXPECT_EQ(module.GetBase(), 0U);

  // Names are bounded to 1 KiB, so a damaged table cannot make each import read on and on.
  for (const std::size_t length : {1024, 1025}) {
    PeBuilder named;
    named.Add({0});
    named.Import("a.dll", std::string(length, 'x'));
    asked.clear();
    EXPECT_FALSE(module.Load(named.Build().bytes, resolver));
    EXPECT_EQ(asked.size(), length <= 1024 ? 1U : 0U) << length;
  }
}

// Every damage makes a header, table or directory point outside the image, or asks for a move
// that the image cannot make; each copy must be refused and leave nothing held.
TEST(MemoryModule, RefusesDamagedImagesAndThenHoldsNothing) {
  PeBuilder builder;
  builder.imageBase = kPreferredBase;
  const std::uint32_t rva = builder.Add({1, 2, 3, 4});
  builder.Import("a.dll", "g").Relocation(rva);
  const PeImage image = builder.Build();
  const ImportResolver resolveAll = [](const ImportRequest&) { return 0x1000U; };
  MemoryModule blocker;  // holding the preferred base sends every copy down the relocation road
  ASSERT_TRUE(blocker.Load(image.bytes, resolveAll));

  const std::size_t pe = PeImage::kPeOffset, opt = PeImage::kOptionalHeader;
  const std::size_t section = PeImage::kSectionTable;
  const std::size_t descriptor = PeImage::FileOffset(image.directoryRva[1]);
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
      {"import directory crossing the end", opt + 104, image.sizeOfImage - 4},
      {"import directory far outside", opt + 104, 0xFFFFFFF0},
      {"relocation directory outside", opt + 136, 0xFFFFF000},
      {"raw data beyond the file", section + 20, 0xFFFFFF00},
      {"section beyond SizeOfImage", section + 12, image.sizeOfImage},
      {"lookup table outside", descriptor, image.sizeOfImage},
      {"library name outside", descriptor + 12, 0xFFFFFF00},
      {"address table outside", descriptor + 16, image.sizeOfImage - 2},
      {"relocation block smaller than its header", block + 4, 4},
      {"relocation block longer than the directory", block + 4, 0x100},
      {"relocated place beyond the image", block, image.sizeOfImage},
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
