#pragma once
// Small PE32 DLL images for the loader's tests. The headers take the file's first 0x400 bytes; one
// section follows, mapped at RVA 0x1000 (so the file offset of an RVA is RVA - 0xC00): the test's
// data, then, when asked for, the export, import and relocation directories.

#include <algorithm>
#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace hosting::skin::test {

inline void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value,
                   std::size_t size = 4) {
  bytes.resize(std::max(bytes.size(), at + size));
  for (std::size_t i = 0; i < size; ++i)
    bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

struct PeImage {
  static constexpr std::uint32_t kData = 0x1000;  // RVA of the test's data
  static constexpr std::size_t kPeOffset = 0x80, kOptionalHeader = kPeOffset + 24;
  static constexpr std::size_t kSectionTable = kOptionalHeader + 224;
  static constexpr std::size_t FileOffset(std::uint32_t rva) { return rva - 0xC00; }

  std::uint32_t imageBase = 0x10000000;
  std::vector<std::uint8_t> data{};
  std::vector<std::pair<std::string, std::uint32_t>> exports{};  // name, RVA
  // By library, the functions' names; "#42" imports ordinal 42.
  std::vector<std::pair<std::string, std::vector<std::string>>> imports{};
  std::vector<std::pair<std::uint32_t, std::uint16_t>> relocations{};  // RVA, type (3: HIGHLOW)
  // Set by Build(): the file, each import's address slot in order, the directories' RVAs.
  std::vector<std::uint8_t> bytes{};
  std::vector<std::uint32_t> importSlots{};
  std::array<std::uint32_t, 16> directoryRva{};
  std::uint32_t sizeOfImage = 0;

  const std::vector<std::uint8_t>& Build() {
    bytes.assign(FileOffset(kData), 0);
    bytes.insert(bytes.end(), data.begin(), data.end());
    importSlots.clear();
    std::array<std::uint32_t, 16> size{};
    const auto directory = [&](std::size_t index, bool wanted, auto add) {
      if (wanted) {
        directoryRva[index] = Grow(0);
        add();
        size[index] = Grow(0) - directoryRva[index];
      }
    };
    directory(0, !exports.empty(), [&] { AddExports(); });
    directory(1, !imports.empty(), [&] { AddImports(); });
    directory(5, !relocations.empty(), [&] { AddRelocations(); });
    const auto raw = static_cast<std::uint32_t>(bytes.size() - FileOffset(kData));
    sizeOfImage = (kData + raw + 0xFFF) / 0x1000 * 0x1000;
    const std::size_t file = kPeOffset + 4, opt = kOptionalHeader, section = kSectionTable;
    // The file and optional headers (a 32-bit DLL), then the section's size, place and flags; in
    // this order, a field may overwrite the high bytes of the one before it.
    const std::pair<std::size_t, std::uint32_t> fields[] = {
        {0, 0x5A4D},         {60, kPeOffset},         {kPeOffset, 0x4550},
        {file, 0x014C},      {file + 2, 1},           {file + 16, 0x210200E0},
        {opt, 0x010B},       {opt + 28, imageBase},   {opt + 32, 0x1000},
        {opt + 36, 0x200},   {opt + 56, sizeOfImage}, {opt + 60, 0x400},
        {opt + 92, 16},      {section + 8, raw},      {section + 12, kData},
        {section + 16, raw}, {section + 20, 0x400},   {section + 36, 0xE0000020U}};
    for (const auto& [at, value] : fields)
      PutU32(bytes, at, value);
    for (std::size_t d = 0; d < 16; ++d) {
      PutU32(bytes, opt + 96 + 8 * d, directoryRva[d]);
      PutU32(bytes, opt + 100 + 8 * d, size[d]);
    }
    return bytes;
  }

 private:
  // Appends `size` zero bytes to the section at a multiple of four and gives their RVA.
  std::uint32_t Grow(std::size_t size) {
    bytes.resize((bytes.size() + 3) / 4 * 4 + size);
    return kData + static_cast<std::uint32_t>(bytes.size() - size - FileOffset(kData));
  }
  std::uint32_t Text(const std::string& text) {
    const std::uint32_t rva = Grow(text.size() + 1);
    std::copy(text.begin(), text.end(), &bytes[FileOffset(rva)]);
    return rva;
  }
  void Set(std::uint32_t rva, std::uint32_t value, std::size_t size = 4) {
    PutU32(bytes, FileOffset(rva), value, size);
  }

  void AddExports() {
    const auto count = static_cast<std::uint32_t>(exports.size());
    const std::uint32_t at = Grow(40 + 10 * count), functions = at + 40;
    const std::uint32_t names = functions + 4 * count, ordinals = names + 4 * count;
    const std::uint32_t fields[] = {1, count, count, functions, names, ordinals};  // base 1
    for (std::uint32_t f = 0; f < 6; ++f)
      Set(at + 16 + 4 * f, fields[f]);
    for (std::uint32_t i = 0; i < count; ++i) {
      Set(functions + 4 * i, exports[i].second);
      Set(names + 4 * i, Text(exports[i].first));
      Set(ordinals + 2 * i, i, 2);
    }
  }

  // One descriptor per library, each with its lookup and address tables.
  void AddImports() {
    const std::uint32_t descriptors = Grow(20 * (imports.size() + 1));
    for (std::uint32_t l = 0; l < imports.size(); ++l) {
      const auto& [library, functions] = imports[l];
      const auto count = static_cast<std::uint32_t>(functions.size());
      const std::uint32_t lookup = Grow(8 * (count + 1)), table = lookup + 4 * (count + 1);
      Set(descriptors + 20 * l, lookup);
      Set(descriptors + 20 * l + 12, Text(library));
      Set(descriptors + 20 * l + 16, table);
      for (std::uint32_t k = 0; k < count; ++k) {
        const std::string& f = functions[k];  // a name follows a two-byte hint
        const std::uint32_t thunk = f.starts_with('#') ? 0x80000000U | std::stoul(f.substr(1))
                                                       : Text(std::string(2, '\0') + f);
        Set(lookup + 4 * k, thunk);
        Set(table + 4 * k, thunk);
        importSlots.push_back(table + 4 * k);
      }
    }
  }

  // One block per page, padded to four bytes with an entry of type 0.
  void AddRelocations() {
    std::map<std::uint32_t, std::vector<std::uint16_t>> pages;
    for (const auto& [rva, type] : relocations)
      pages[rva & ~0xFFFU].push_back(static_cast<std::uint16_t>((type << 12) | (rva & 0xFFFU)));
    for (auto& [page, entries] : pages) {
      entries.resize((entries.size() + 1) / 2 * 2);
      const auto blockSize = static_cast<std::uint32_t>(8 + 2 * entries.size());
      const std::uint32_t block = Grow(blockSize);
      Set(block, page);
      Set(block + 4, blockSize);
      for (std::uint32_t i = 0; i < entries.size(); ++i)
        Set(block + 8 + 2 * i, entries[i], 2);
    }
  }
};

}  // namespace hosting::skin::test
