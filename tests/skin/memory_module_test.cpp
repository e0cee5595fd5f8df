#include "ui/skin/memory_module.h"

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#endif

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

bool SetPageReadable(void* page, bool readable) {
#ifdef _WIN32
  DWORD previous = 0;
  return VirtualProtect(page, 0x1000, readable ? PAGE_READWRITE : PAGE_NOACCESS, &previous) != 0;
#else
  return mprotect(page, 0x1000, readable ? PROT_READ | PROT_WRITE : PROT_NONE) == 0;
#endif
}

// Scanning each export name to its NUL made many names over long unterminated bytes quadratic.
// Here a name runs to the end of a page and the next page cannot be read.
TEST(MemoryModule, GetProcReadsAnExportNameNoFurtherThanTheNameAskedFor) {
  PeImage image{.data = std::vector<std::uint8_t>(0x2000, 'S'), .exports = {{"S", kData}}};
  image.Build();
  PutU32(image.bytes, PeImage::FileOffset(image.directoryRva[0]) + 44, kData + 0xFF0);
  MemoryModule module;
  ASSERT_TRUE(module.Load(image.bytes));
  auto* unreadable = reinterpret_cast<void*>(std::uintptr_t{module.GetBase() + kData + 0x1000});
  ASSERT_TRUE(SetPageReadable(unreadable, false));
  EXPECT_EQ(module.GetProc(std::string(15, 'S')), 0U) << "no NUL ends the name";
  SetPageReadable(unreadable, true);
}

// Section headers follow one another in the table: a second one maps its own copy of the bytes.
TEST(MemoryModule, MapsEverySectionOfTheTable) {
  PeImage image{.data = std::vector<std::uint8_t>(0x10, 0xAB)};
  image.Build();
  PutU32(image.bytes, PeImage::kPeOffset + 6, 2, 2);  // two sections
  PutU32(image.bytes, PeImage::kOptionalHeader + 56, kData + 0x2000);
  for (const auto& [at, value] : {std::pair{8U, 0x10U},
                                  {12U, kData + 0x1000},
                                  {16U, 0x10U},
                                  {20U, 0x400U},
                                  {36U, 0x40000040U}})
    PutU32(image.bytes, PeImage::kSectionTable + 40 + at, value);
  MemoryModule module;
  ASSERT_TRUE(module.Load(image.bytes));
  EXPECT_EQ(U32At(module.GetBase() + kData + 0x1000), 0xABABABABU);
}

// The image is mapped whole at its base, or relocated when that is taken, its imports filled in by
// name or ordinal, its exports found by their whole names. Each damage points a header, table or
// directory outside the image, or asks for a move the image cannot make: the copy is refused, and
// the module held before is gone as well.
TEST(MemoryModule, MapsRelocatesAndLinksOrRefusesTheImageAndThenHoldsNothing) {
  PeImage image{.imageBase = kPreferredBase,
                .data = std::vector<std::uint8_t>(0x1010, 0xAB),
                .exports = {{"SkinH_Attach", kData}, {"SkinH_AttachRes", kData + 1}},
                .imports = {{"KERNEL32.dll", {"GetTickCount", "Sleep"}}, {"USER32.dll", {"#42"}}},
                .relocations = {{kData, 3}, {kData + 4, 10}, {kData + 0x1004, 3}}};
  PutU32(image.data, 0x0, kPreferredBase + 0x1008);
  PutU32(image.data, 0x4, 0x12345678);  // named by an entry of type 10: left alone
  PutU32(image.data, 0x1004, kPreferredBase + 0x2000);
  image.Build();
  std::map<std::string, std::uint32_t> answers = {{"KERNEL32.dll!GetTickCount", 0x7000'1000U},
                                                  {"KERNEL32.dll!Sleep", 0x7000'3000U},
                                                  {"USER32.dll!#42", 0x7100'2000U}};
  int asked = 0;
  const ImportResolver resolver = [&](const ImportRequest& r) {
    ++asked;
    const auto found =
        answers.find(std::string(r.library) + "!" +
                     (r.name.empty() ? "#" + std::to_string(r.ordinal) : std::string(r.name)));
    return found == answers.end() ? 0U : found->second;
  };
  MemoryModule atBase;
  ASSERT_TRUE(atBase.Load(image.bytes, resolver));
  ASSERT_EQ(atBase.GetBase(), kPreferredBase);
  const auto* mapped = reinterpret_cast<const std::uint8_t*>(std::uintptr_t{kPreferredBase});
  EXPECT_TRUE(std::equal(image.data.begin(), image.data.end(), mapped + kData));
  EXPECT_EQ(atBase.GetProc("SkinH_AttachRes"), kPreferredBase + kData + 1);
  EXPECT_EQ(atBase.GetProc("SkinH_Attach"), kPreferredBase + kData);
  for (const char* absent : {"SkinH_AttachR", "SkinH_AttachResX", ""})
    EXPECT_EQ(atBase.GetProc(absent), 0U) << absent;

  std::size_t slot = 0;  // the answers sort in the order of the imports
  for (const auto& [name, address] : answers)
    EXPECT_EQ(U32At(kPreferredBase + image.importSlots[slot++]), address) << name;

  MemoryModule module;  // the preferred base is taken now: every copy is relocated
  ASSERT_TRUE(module.Load(image.bytes, resolver));
  const std::uint32_t base = module.GetBase();
  ASSERT_NE(base, kPreferredBase);
  EXPECT_EQ(U32At(base + kData), base + 0x1008);
  EXPECT_EQ(U32At(base + kData + 4), 0x12345678U);
  EXPECT_EQ(U32At(base + kData + 0x1004), base + 0x2000);
  EXPECT_TRUE(module.Free());
  EXPECT_EQ(module.GetBase() + module.GetProc("SkinH_AttachRes"), 0U);

  const std::size_t pe = PeImage::kPeOffset, opt = PeImage::kOptionalHeader;
  const std::size_t section = PeImage::kSectionTable, end = image.sizeOfImage;
  const std::size_t imports = PeImage::FileOffset(image.directoryRva[1]);
  const std::size_t block = PeImage::FileOffset(image.directoryRva[5]);
  const std::uint32_t farOut = 0xFFFFFF00, cut = ~0U;  // a row of value `cut` cuts the file there
  const std::tuple<std::size_t, std::uint32_t, const char*> damages[] = {
      // clang-format off
      {0, 0, "no MZ"}, {pe, 0x01004550, "PE\\0\\1"}, {60, farOut, "PE header far out"},
      {pe + 6, 0xFFFF, "too many sections"}, {pe + 20, 0x21020010, "optional header too short"},
      {pe + 20, 0x210300E0, "relocations stripped"}, {opt + 16, 0xFFFFFF, "entry point outside"},
      {opt + 32, 0, "SectionAlignment 0"}, {opt + 56, 0, "SizeOfImage 0"},
      {opt + 56, 0x7FFFFFFF, "SizeOfImage huge"}, {opt + 60, 0x100000, "SizeOfHeaders past file"},
      {opt + 104, end - 4, "imports cross the end"}, {opt + 136, farOut, "relocations far out"},
      {section + 20, farOut, "raw data past the file"}, {section + 12, end, "section past image"},
      {imports, end, "lookup table outside"}, {imports + 12, farOut, "library name outside"},
      {imports + 16, end - 2, "address table outside"}, {block + 4, 4, "block below its header"},
      {block + 4, 0x100, "block past directory"}, {block, end, "relocated place outside"},
      {63, cut, "cut in the DOS header"}, {0x3FF, cut, "cut in the headers"},
      // clang-format on
  };
  for (const auto& [offset, value, what] : damages) {
    auto damaged = image.bytes;
    if (value == cut)
      damaged.resize(offset);
    else
      PutU32(damaged, offset, value);
    ASSERT_TRUE(module.Load(image.bytes, resolver));
    EXPECT_FALSE(module.Load(damaged, resolver)) << what;
    EXPECT_EQ(module.GetBase(), 0U) << what;
  }
  answers.erase("KERNEL32.dll!Sleep");
  EXPECT_FALSE(module.Load(image.bytes, resolver)) << "an unresolved import fails the load";
  // Names are bounded to 1 KiB, so a damaged table cannot make each import read on and on.
  for (const std::size_t length : {1024, 1025}) {
    PeImage named{.data = {0}, .imports = {{"a.dll", {std::string(length, 'x')}}}};
    asked = 0;
    EXPECT_FALSE(module.Load(named.Build(), resolver));
    EXPECT_EQ(asked, length <= 1024 ? 1 : 0) << length;
  }
}

}  // namespace
}  // namespace hosting::skin
