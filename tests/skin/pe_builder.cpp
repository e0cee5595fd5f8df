#include "skin/pe_builder.h"

#include <algorithm>
#include <map>

namespace hosting::skin::test {
namespace {

constexpr std::uint32_t kHeadersSize = 0x400;
constexpr std::size_t kDirectoryCount = 16;

std::uint32_t AlignUp(std::uint32_t value, std::uint32_t alignment) {
  return (value + alignment - 1) / alignment * alignment;
}

std::uint32_t Size32(const std::vector<std::uint8_t>& bytes) {
  return static_cast<std::uint32_t>(bytes.size());
}

// Appends a NUL-terminated text and gives its offset.
std::uint32_t AppendText(std::vector<std::uint8_t>& bytes, const std::string& text) {
  const auto at = Size32(bytes);
  bytes.insert(bytes.end(), text.begin(), text.end());
  bytes.push_back(0);
  return at;
}

}  // namespace

void PutU16(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint16_t value) {
  bytes.resize(std::max(bytes.size(), at + 2));
  bytes[at] = static_cast<std::uint8_t>(value);
  bytes[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void PutU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
  PutU16(bytes, at, static_cast<std::uint16_t>(value));
  PutU16(bytes, at + 2, static_cast<std::uint16_t>(value >> 16));
}

PeBuilder& PeBuilder::ImageBase(std::uint32_t base) {
  imageBase_ = base;
  return *this;
}

PeBuilder& PeBuilder::Characteristics(std::uint16_t characteristics) {
  characteristics_ = characteristics;
  return *this;
}

std::uint32_t PeBuilder::NextRva(const std::vector<Section>& sections) const {
  std::uint32_t rva = kSectionAlignment;
  for (const Section& section : sections) {
    rva += AlignUp(std::max<std::uint32_t>(section.virtualSize, 1), kSectionAlignment);
  }
  return rva;
}

std::uint32_t PeBuilder::AddSection(std::vector<std::uint8_t> data, std::uint32_t virtualSize) {
  const std::uint32_t rva = NextRva(sections_);
  const std::uint32_t size = virtualSize != 0 ? virtualSize : Size32(data);
  sections_.push_back({std::move(data), size});
  return rva;
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

std::vector<std::uint8_t> PeBuilder::ExportSection(std::uint32_t rva) const {
  const auto count = static_cast<std::uint32_t>(exports_.size());
  std::vector<std::uint8_t> s(40);
  const std::uint32_t functions = Size32(s);
  const std::uint32_t names = functions + 4 * count;
  const std::uint32_t ordinals = names + 4 * count;
  s.resize(ordinals + 2 * count);
  for (std::uint32_t i = 0; i < count; ++i) {
    PutU32(s, functions + 4 * i, exports_[i].second);
    PutU32(s, names + 4 * i, rva + AppendText(s, exports_[i].first));
    PutU16(s, ordinals + 2 * i, static_cast<std::uint16_t>(i));
  }
  PutU32(s, 12, rva + AppendText(s, "test.dll"));
  PutU32(s, 16, 1);  // ordinal base
  PutU32(s, 20, count);
  PutU32(s, 24, count);
  PutU32(s, 28, rva + functions);
  PutU32(s, 32, rva + names);
  PutU32(s, 36, rva + ordinals);
  return s;
}

// One descriptor per library (in order of first use), then the lookup and address tables.
std::vector<std::uint8_t> PeBuilder::ImportSection(std::uint32_t rva,
                                                   std::vector<std::uint32_t>& slots) const {
  std::vector<std::string> libraries;
  for (const ImportEntry& entry : imports_) {
    if (std::find(libraries.begin(), libraries.end(), entry.library) == libraries.end()) {
      libraries.push_back(entry.library);
    }
  }
  std::vector<std::uint8_t> s(20 * (libraries.size() + 1));
  std::map<std::size_t, std::uint32_t> slotOfEntry;
  for (std::size_t l = 0; l < libraries.size(); ++l) {
    std::vector<std::size_t> entries;
    for (std::size_t i = 0; i < imports_.size(); ++i) {
      if (imports_[i].library == libraries[l]) {
        entries.push_back(i);
      }
    }
    const std::uint32_t lookup = Size32(s);
    const std::uint32_t table = lookup + 4 * static_cast<std::uint32_t>(entries.size() + 1);
    s.resize(table + 4 * (entries.size() + 1));
    for (std::size_t k = 0; k < entries.size(); ++k) {
      const ImportEntry& entry = imports_[entries[k]];
      std::uint32_t thunk = 0x80000000U | entry.ordinal;
      if (!entry.name.empty()) {
        const std::uint32_t hint = Size32(s);
        s.resize(hint + 2);
        AppendText(s, entry.name);
        thunk = rva + hint;
      }
      PutU32(s, lookup + 4 * k, thunk);
      PutU32(s, table + 4 * k, thunk);
      slotOfEntry[entries[k]] = rva + table + 4 * static_cast<std::uint32_t>(k);
    }
    PutU32(s, 20 * l, rva + lookup);
    PutU32(s, 20 * l + 12, rva + AppendText(s, libraries[l]));
    PutU32(s, 20 * l + 16, rva + table);
  }
  for (const auto& [entry, slot] : slotOfEntry) {
    slots.push_back(slot);
  }
  return s;
}

// One block per 4 KiB page, each padded to a multiple of four bytes with an entry of type 0.
std::vector<std::uint8_t> PeBuilder::RelocationSection() const {
  std::map<std::uint32_t, std::vector<std::uint16_t>> pages;
  for (const auto& [rva, type] : relocations_) {
    pages[rva & ~0xFFFU].push_back(static_cast<std::uint16_t>((type << 12) | (rva & 0xFFFU)));
  }
  std::vector<std::uint8_t> s;
  for (auto& [page, entries] : pages) {
    if (entries.size() % 2 != 0) {
      entries.push_back(0);
    }
    const std::size_t at = s.size();
    PutU32(s, at, page);
    PutU32(s, at + 4, static_cast<std::uint32_t>(8 + 2 * entries.size()));
    for (std::size_t i = 0; i < entries.size(); ++i) {
      PutU16(s, at + 8 + 2 * i, entries[i]);
    }
  }
  return s;
}

PeImage PeBuilder::Build() const {
  PeImage image;
  std::vector<Section> sections = sections_;
  std::vector<std::pair<std::size_t, std::pair<std::uint32_t, std::uint32_t>>> directories;
  const auto addDirectory = [&](std::size_t index, std::vector<std::uint8_t> data) {
    const std::uint32_t rva = NextRva(sections);
    directories.push_back({index, {rva, Size32(data)}});
    sections.push_back({std::move(data), 0});
    sections.back().virtualSize = Size32(sections.back().data);
  };
  if (!exports_.empty()) {
    addDirectory(0, ExportSection(NextRva(sections)));
  }
  if (!imports_.empty()) {
    addDirectory(1, ImportSection(NextRva(sections), image.importSlots));
  }
  if (!relocations_.empty()) {
    addDirectory(5, RelocationSection());
  }
  image.sizeOfImage = NextRva(sections);

  auto& b = image.bytes;
  b.assign(kHeadersSize, 0);
  b[0] = 'M';
  b[1] = 'Z';
  PutU32(b, 60, PeImage::kPeOffset);
  b[PeImage::kPeOffset] = 'P';
  b[PeImage::kPeOffset + 1] = 'E';
  const std::size_t file = PeImage::kPeOffset + 4;
  PutU16(b, file, 0x014C);
  PutU16(b, file + 2, static_cast<std::uint16_t>(sections.size()));
  PutU16(b, file + 16, 224);
  PutU16(b, file + 18, characteristics_);
  const std::size_t opt = PeImage::kOptionalHeader;
  PutU16(b, opt, 0x010B);
  PutU32(b, opt + 28, imageBase_);
  PutU32(b, opt + 32, kSectionAlignment);
  PutU32(b, opt + 36, kFileAlignment);
  PutU32(b, opt + 56, image.sizeOfImage);
  PutU32(b, opt + 60, kHeadersSize);
  PutU32(b, opt + 92, kDirectoryCount);
  for (const auto& [index, directory] : directories) {
    PutU32(b, opt + 96 + 8 * index, directory.first);
    PutU32(b, opt + 100 + 8 * index, directory.second);
  }
  std::uint32_t rva = kSectionAlignment;
  for (std::size_t i = 0; i < sections.size(); ++i) {
    const Section& section = sections[i];
    const std::size_t header = PeImage::kSectionTable + 40 * i;
    const std::string name = ".s" + std::to_string(i);
    std::copy(name.begin(), name.end(), b.begin() + static_cast<std::ptrdiff_t>(header));
    const auto raw = AlignUp(Size32(section.data), kFileAlignment);
    PutU32(b, header + 8, section.virtualSize);
    PutU32(b, header + 12, rva);
    PutU32(b, header + 16, raw);
    PutU32(b, header + 20, raw != 0 ? Size32(b) : 0);
    PutU32(b, header + 36, 0xE0000020U);
    b.insert(b.end(), section.data.begin(), section.data.end());
    b.resize(b.size() + (raw - Size32(section.data)));
    rva += AlignUp(std::max<std::uint32_t>(section.virtualSize, 1), kSectionAlignment);
  }
  return image;
}

}  // namespace hosting::skin::test
