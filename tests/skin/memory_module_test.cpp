#include "ui/skin/memory_module.h"

#include <gtest/gtest.h>

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

std::vector<std::uint8_t> Bytes(std::initializer_list<int> values) {
  std::vector<std::uint8_t> out;
  for (int v : values) {
    out.push_back(static_cast<std::uint8_t>(v));
  }
  return out;
}

const std::uint8_t* At(std::uint32_t address) {
  return reinterpret_cast<const std::uint8_t*>(static_cast<std::uintptr_t>(address));
}

std::uint32_t U32At(std::uint32_t address) {
  std::uint32_t value = 0;
  std::memcpy(&value, At(address), 4);  // the test host is little-endian like the image
  return value;
}

// Resolves every import to an address made of its ordinal or of its name's length, and records
// what it was asked.
struct RecordingResolver {
  std::map<std::string, std::uint32_t> answers;
  std::vector<std::string> asked;

  ImportResolver Get() {
    return [this](const ImportRequest& r) {
      const std::string key =
          std::string(r.library) + "!" +
          (r.name.empty() ? "#" + std::to_string(r.ordinal) : std::string(r.name));
      asked.push_back(key);
      const auto it = answers.find(key);
      return it == answers.end() ? 0U : it->second;
    };
  }
};

TEST(MemoryModule, RefusesImagesWithoutMzOrPeSignature) {
  PeBuilder builder;
  builder.AddSection(Bytes({1, 2, 3}));
  const PeImage good = builder.Build();
  MemoryModule module;
  ASSERT_TRUE(module.Load(good.bytes));
  ASSERT_NE(module.GetBase(), 0U);

  auto notMz = good.bytes;
  notMz[1] = 'X';
  auto badPe = good.bytes;
  badPe[PeImage::kPeOffset + 3] = 1;  // "PE\0\1"
  auto farPe = good.bytes;
  PutU32(farPe, 60, 0xFFFFFFF0U);
  const std::vector<std::uint8_t> tiny(good.bytes.begin(), good.bytes.begin() + 63);
  for (const auto& image : {notMz, badPe, farPe, tiny, std::vector<std::uint8_t>{}}) {
    // A refused image also leaves the module that was held before unloaded.
    EXPECT_FALSE(module.Load(image));
    EXPECT_EQ(module.GetBase(), 0U);
    EXPECT_EQ(module.GetProc("anything"), 0U);
    ASSERT_TRUE(module.Load(good.bytes));
  }
}

TEST(MemoryModule, MapsHeadersAndSectionsAtTheirVirtualAddresses) {
  PeBuilder builder;
  builder.ImageBase(kPreferredBase);
  const std::uint32_t first = builder.AddSection(Bytes({0x11, 0x22, 0x33, 0x44}));
  const std::uint32_t bss = builder.AddSection({}, 0x1800);
  const std::uint32_t second = builder.AddSection(std::vector<std::uint8_t>(0x300, 0xAB), 0x1200);
  const PeImage image = builder.Build();

  MemoryModule module;
  ASSERT_TRUE(module.Load(image.bytes));
  const std::uint32_t base = module.GetBase();
  EXPECT_EQ(base, kPreferredBase);
  EXPECT_EQ(0, std::memcmp(At(base), image.bytes.data(), 0x200)) << "headers";
  EXPECT_EQ(0, std::memcmp(At(base + first), "\x11\x22\x33\x44", 4));
  EXPECT_EQ(At(base + first)[4], 0) << "the rest of a section is zero";
  EXPECT_EQ(At(base + bss)[0x17FF], 0);
  EXPECT_EQ(At(base + second)[0], 0xAB);
  EXPECT_EQ(At(base + second)[0x2FF], 0xAB);
  EXPECT_EQ(At(base + second)[0x300], 0);
  EXPECT_TRUE(module.Free());
  EXPECT_EQ(module.GetBase(), 0U);
}

TEST(MemoryModule, AppliesHighLowRelocationsWhenMappedElsewhere) {
  PeBuilder builder;
  builder.ImageBase(kPreferredBase);
  std::vector<std::uint8_t> data(0x1010);
  PutU32(data, 0x0, kPreferredBase + 0x1008);     // HIGHLOW
  PutU32(data, 0x4, 0x12345678);                  // type 10 entry: skipped
  PutU32(data, 0x1004, kPreferredBase + 0x2000);  // HIGHLOW on the second page
  const std::uint32_t rva = builder.AddSection(data);
  builder.Relocation(rva).Relocation(rva + 4, 10).Relocation(rva + 0x1004);
  const PeImage image = builder.Build();

  MemoryModule atPreferred;
  ASSERT_TRUE(atPreferred.Load(image.bytes));
  ASSERT_EQ(atPreferred.GetBase(), kPreferredBase);
  EXPECT_EQ(U32At(kPreferredBase + rva), kPreferredBase + 0x1008) << "no relocation needed";

  MemoryModule moved;  // the preferred base is taken now
  ASSERT_TRUE(moved.Load(image.bytes));
  const std::uint32_t base = moved.GetBase();
  ASSERT_NE(base, kPreferredBase);
  EXPECT_EQ(U32At(base + rva), base + 0x1008);
  EXPECT_EQ(U32At(base + rva + 4), 0x12345678U);
  EXPECT_EQ(U32At(base + rva + 0x1004), base + 0x2000);

  // Without relocation data an image can only live at its preferred base.
  auto stripped = PeBuilder(builder).Characteristics(0x2103).Build();
  EXPECT_FALSE(MemoryModule().Load(stripped.bytes));
}

TEST(MemoryModule, GetProcFindsExportsByName) {
  PeBuilder builder;
  const std::uint32_t code = builder.AddSection(Bytes({0xC3, 0xC3}));
  builder.Export("SkinH_Attach", code).Export("SkinH_AttachRes", code + 1);
  const PeImage image = builder.Build();

  MemoryModule module;
  EXPECT_EQ(module.GetProc("SkinH_AttachRes"), 0U) << "nothing loaded";
  ASSERT_TRUE(module.Load(image.bytes));
  EXPECT_EQ(module.GetProc("SkinH_AttachRes"), module.GetBase() + code + 1);
  EXPECT_EQ(module.GetProc("SkinH_Attach"), module.GetBase() + code);
  EXPECT_EQ(module.GetProc("SkinH_AttachR"), 0U);
  EXPECT_EQ(module.GetProc(""), 0U);
  module.Free();
  EXPECT_EQ(module.GetProc("SkinH_AttachRes"), 0U);
}

TEST(MemoryModule, ResolvesImportsThroughTheResolver) {
  PeBuilder builder;
  builder.AddSection(Bytes({0}));
  builder.Import("KERNEL32.dll", "GetTickCount")
      .Import("USER32.dll", "", 42)
      .Import("KERNEL32.dll", "Sleep");
  const PeImage image = builder.Build();
  RecordingResolver resolver;
  resolver.answers = {{"KERNEL32.dll!GetTickCount", 0x7000'1000U},
                      {"USER32.dll!#42", 0x7100'2000U},
                      {"KERNEL32.dll!Sleep", 0x7000'3000U}};

  MemoryModule module;
  ASSERT_TRUE(module.Load(image.bytes, resolver.Get()));
  const std::uint32_t base = module.GetBase();
  ASSERT_EQ(image.importSlots.size(), 3U);
  EXPECT_EQ(U32At(base + image.importSlots[0]), 0x7000'1000U);
  EXPECT_EQ(U32At(base + image.importSlots[1]), 0x7100'2000U);
  EXPECT_EQ(U32At(base + image.importSlots[2]), 0x7000'3000U);
  EXPECT_EQ(resolver.asked.size(), 3U);

  resolver.answers.erase("KERNEL32.dll!Sleep");
  EXPECT_FALSE(module.Load(image.bytes, resolver.Get())) << "an unresolved import fails the load";
  EXPECT_EQ(module.GetBase(), 0U);

  // Names are bounded: one longer than any real import is refused before it is looked up.
  PeBuilder longName;
  longName.AddSection(Bytes({0}));
  longName.Import("a.dll", std::string(2000, 'x'));
  resolver.asked.clear();
  EXPECT_FALSE(module.Load(longName.Build().bytes, resolver.Get()));
  EXPECT_TRUE(resolver.asked.empty());
}

std::uint32_t ReadU32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
                                    (bytes[at + 3] << 24));
}

// The file offset of the data at `rva`, for images from PeBuilder.
std::size_t FileOffset(const PeImage& image, std::uint32_t rva) {
  for (std::size_t at = PeImage::kSectionTable;; at += 40) {
    const std::uint32_t start = ReadU32(image.bytes, at + 12);
    if (rva >= start && rva < start + PeBuilder::kSectionAlignment) {
      return ReadU32(image.bytes, at + 20) + (rva - start);
    }
  }
}

struct Damage {
  const char* what;
  std::size_t offset;
  std::uint32_t value;
};

void ExpectRefused(const PeImage& image, const std::vector<Damage>& damages,
                   const ImportResolver& resolver) {
  for (const Damage& damage : damages) {
    auto damaged = image.bytes;
    PutU32(damaged, damage.offset, damage.value);
    MemoryModule module;
    EXPECT_FALSE(module.Load(damaged, resolver)) << damage.what;
    EXPECT_EQ(module.GetBase(), 0U) << damage.what;
  }
}

// Each damage makes a header, table or directory point outside the image.
TEST(MemoryModule, RefusesOffsetsAndSizesOutsideTheImage) {
  PeBuilder builder;
  const std::uint32_t code = builder.AddSection(Bytes({1, 2, 3, 4}));
  builder.Export("f", code).Import("a.dll", "g");
  const PeImage image = builder.Build();
  const ImportResolver resolveAll = [](const ImportRequest&) { return 0x1000U; };
  ASSERT_TRUE(MemoryModule().Load(image.bytes, resolveAll));

  const std::size_t opt = PeImage::kOptionalHeader;
  const std::size_t section = PeImage::kSectionTable;
  const std::size_t descriptor = FileOffset(image, ReadU32(image.bytes, opt + 104));
  ExpectRefused(image,
                {{"SizeOfImage 0", opt + 56, 0},
                 {"SizeOfImage beyond any sane image", opt + 56, 0x7FFFFFFF},
                 {"SizeOfHeaders beyond the file", opt + 60, 0x00100000},
                 {"SectionAlignment 0", opt + 32, 0},
                 {"entry point outside the image", opt + 16, 0x00FFFFFF},
                 {"optional header shorter than its fields", PeImage::kPeOffset + 20, 0x21020010},
                 {"more sections than the file holds", PeImage::kPeOffset + 6, 0xFFFF},
                 {"raw data beyond the file", section + 20, 0xFFFFFF00},
                 {"section beyond SizeOfImage", section + 12, image.sizeOfImage},
                 {"import directory crossing the end", opt + 104, image.sizeOfImage - 4},
                 {"import directory far outside", opt + 104, 0xFFFFFFF0},
                 {"library name outside", descriptor + 12, 0xFFFFFF00},
                 {"lookup table outside", descriptor, image.sizeOfImage},
                 {"address table outside", descriptor + 16, image.sizeOfImage - 2}},
                resolveAll);
}

TEST(MemoryModule, RefusesBrokenRelocationBlocksWhenMappedElsewhere) {
  PeBuilder builder;
  builder.ImageBase(kPreferredBase);
  const std::uint32_t rva = builder.AddSection(std::vector<std::uint8_t>(16));
  builder.Relocation(rva);
  const PeImage image = builder.Build();
  MemoryModule blocker;
  ASSERT_TRUE(blocker.Load(image.bytes));

  const std::size_t opt = PeImage::kOptionalHeader;
  const std::size_t block = FileOffset(image, ReadU32(image.bytes, opt + 136));
  ExpectRefused(image,
                {{"block smaller than its header", block + 4, 4},
                 {"block longer than the directory", block + 4, 0x100},
                 {"place beyond the image", block, image.sizeOfImage},
                 {"directory outside the image", opt + 136, 0xFFFFF000}},
                {});
}

}  // namespace
}  // namespace hosting::skin
