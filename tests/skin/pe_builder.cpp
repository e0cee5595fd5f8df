#include "skin/pe_builder.h"

#include <algorithm>
#include <map>

namespace hosting::skin::test {
namespace {

constexpr std::uint32_t kSectionRva = 0x1000;

}  // namespace

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value, int size) {
  bytes.resize(std::max(bytes.size(), at + size));
  for (int i = 0; i < size; ++i)
    bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

std::uint32_t PeBuilder::End() const {
  return kSectionRva + static_cast<std::uint32_t>(section_.size());
}

void PeBuilder::Set(std::uint32_t rva, std::uint32_t value, int bytes) {
  PutU32(section_, rva - kSectionRva, value, bytes);
}

std::uint32_t PeBuilder::Add(const std::vector<std::uint8_t>& data) {
  section_.resize((section_.size() + 3) / 4 * 4);
  const std::uint32_t rva = End();
  section_.insert(section_.end(), data.begin(), data.end());
  return rva;
}

std::uint32_t PeBuilder::AddText(const std::string& text) {
  std::vector<std::uint8_t> bytes(text.begin(), text.end());
  bytes.push_back(0);
  return Add(bytes);
}

PeBuilder& PeBuilder::Export(std::string name, std::uint32_t rva) {
  exports_.emplace_back(std::move(name), rva);
  return *this;
}

PeBuilder& PeBuilder::Import(std::string library, std::string name, std::uint16_t ordinal) {
  imports_.push_back({std::move(library), std::move(name), ordinal});
  return *this;
}

PeBuilder& PeBuilder::Relocation(std::uint32_t rva, std::uint16_t type) {
  relocations_.emplace_back(rva, type);
  return *this;
}

void PeBuilder::AddExports() {
  const auto count = static_cast<std::uint32_t>(exports_.size());
  const std::uint32_t directory = Add(std::vector<std::uint8_t>(40 + 10 * count));
  const std::uint32_t functions = directory + 40, names = functions + 4 * count;
  const std::uint32_t ordinals = names + 4 * count;
  Set(directory + 16, 1);  // ordinal base
  Set(directory + 20, count);
  Set(directory + 24, count);
  Set(directory + 28, functions);
  Set(directory + 32, names);
  Set(directory + 36, ordinals);
  for (std::uint32_t i = 0; i < count; ++i) {
    Set(functions + 4 * i, exports_[i].second);
    Set(names + 4 * i, AddText(exports_[i].first));
    Set(ordinals + 2 * i, i, 2);
  }
}

// One descriptor per library, in order of first use, each with its lookup and address tables.
void PeBuilder::AddImports(std::vector<std::uint32_t>& slots) {
  std::vector<std::string> libraries;
  for (const ImportEntry& import : imports_) {
    if (std::find(libraries.begin(), libraries.end(), import.library) == libraries.end())
      libraries.push_back(import.library);
  }
  const std::uint32_t descriptors = Add(std::vector<std::uint8_t>(20 * (libraries.size() + 1)));
  slots.resize(imports_.size());
  for (std::uint32_t l = 0; l < libraries.size(); ++l) {
    const auto count = static_cast<std::uint32_t>(
        std::count_if(imports_.begin(), imports_.end(),
                      [&](const ImportEntry& i) { return i.library == libraries[l]; }));
    const std::uint32_t lookup = Add(std::vector<std::uint8_t>(8 * (count + 1)));
    const std::uint32_t table = lookup + 4 * (count + 1);
    Set(descriptors + 20 * l, lookup);
    Set(descriptors + 20 * l + 12, AddText(libraries[l]));
    Set(descriptors + 20 * l + 16, table);
    for (std::uint32_t i = 0, k = 0; i < imports_.size(); ++i) {
      if (imports_[i].library != libraries[l])
        continue;
      const std::uint32_t thunk = imports_[i].name.empty()
                                      ? 0x80000000U | imports_[i].ordinal
                                      : AddText(std::string(2, '\0') + imports_[i].name);  // hint
      Set(lookup + 4 * k, thunk);
      Set(table + 4 * k, thunk);
      slots[i] = table + 4 * k++;
    }
  }
}

// One block per page, padded to four bytes with an entry of type 0.
void PeBuilder::AddRelocations() {
  std::map<std::uint32_t, std::vector<std::uint16_t>> pages;
  for (const auto& [rva, type] : relocations_)
    pages[rva & ~0xFFFU].push_back(static_cast<std::uint16_t>((type << 12) | (rva & 0xFFFU)));
  for (auto& [page, entries] : pages) {
    entries.resize((entries.size() + 1) / 2 * 2);
    const std::uint32_t block = Add(std::vector<std::uint8_t>(8 + 2 * entries.size()));
    Set(block, page);
    Set(block + 4, 8 + 2 * static_cast<std::uint32_t>(entries.size()));
    for (std::uint32_t i = 0; i < entries.size(); ++i)
      Set(block + 8 + 2 * i, entries[i], 2);
  }
}

PeImage PeBuilder::Build() const {
  PeImage image;
  PeBuilder whole = *this;
  std::array<std::uint32_t, 16> directorySize{};
  const auto directory = [&](std::size_t index, auto add) {
    image.directoryRva[index] = whole.Add({});
    add();
    directorySize[index] = whole.End() - image.directoryRva[index];
  };
  if (!exports_.empty())
    directory(0, [&] { whole.AddExports(); });
  if (!imports_.empty())
    directory(1, [&] { whole.AddImports(image.importSlots); });
  if (!relocations_.empty())
    directory(5, [&] { whole.AddRelocations(); });
  const auto dataSize = static_cast<std::uint32_t>(whole.section_.size());
  image.sizeOfImage = (whole.End() + 0xFFF) / 0x1000 * 0x1000;

  auto& b = image.bytes;
  b.assign(0x400, 0);
  b.insert(b.end(), whole.section_.begin(), whole.section_.end());
  const std::size_t file = PeImage::kPeOffset + 4, opt = PeImage::kOptionalHeader;
  const std::size_t section = PeImage::kSectionTable;
  // In order: a later field may overwrite the high bytes of an earlier one.
  const std::pair<std::size_t, std::uint32_t> fields[] = {
      {0, 0x5A4D},  // "MZ"
      {60, PeImage::kPeOffset},
      {PeImage::kPeOffset, 0x4550},  // "PE\0\0"
      {file, 0x014C},
      {file + 2, 1},  // sections
      {file + 16, 224U | characteristics << 16},
      {opt, 0x010B},
      {opt + 28, imageBase},
      {opt + 32, 0x1000},  // section alignment
      {opt + 36, 0x200},   // file alignment
      {opt + 56, image.sizeOfImage},
      {opt + 60, 0x400},  // headers
      {opt + 92, 16},     // directories
      {section + 8, dataSize},
      {section + 12, kSectionRva},
      {section + 16, dataSize},
      {section + 20, 0x400},
      {section + 36, 0xE0000020U},  // code, executable, readable, writable
  };
  for (const auto& [at, value] : fields)
    PutU32(b, at, value);
  for (std::size_t d = 0; d < 16; ++d) {
    PutU32(b, opt + 96 + 8 * d, image.directoryRva[d]);
    PutU32(b, opt + 100 + 8 * d, directorySize[d]);
  }
  return image;
}

}  // namespace hosting::skin::test
