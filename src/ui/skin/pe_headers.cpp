#include "ui/skin/pe_headers.h"

namespace hosting::skin {
namespace {

constexpr std::uint64_t kPeOffsetField = 60;
constexpr std::uint64_t kFileHeaderSize = 20;
constexpr std::uint64_t kSectionHeaderSize = 40;

// Where the two kinds of optional header differ; offsets are inside the optional header.
struct OptionalHeaderLayout {
  std::uint16_t machine;
  std::uint16_t magic;
  ImageWidth width;
  std::uint64_t imageBase;
  std::uint64_t directoryCount;
  std::uint64_t directories;
};
constexpr OptionalHeaderLayout kPe32{0x014C, 0x010B, ImageWidth::k32, 28, 92, 96};
constexpr OptionalHeaderLayout kPe32Plus{0x8664, 0x020B, ImageWidth::k64, 24, 108, 112};

std::optional<OptionalHeaderLayout> LayoutOf(std::optional<std::uint16_t> machine,
                                             std::optional<std::uint16_t> magic) {
  for (const OptionalHeaderLayout& layout : {kPe32, kPe32Plus}) {
    if (machine == layout.machine && magic == layout.magic) {
      return layout;
    }
  }
  return std::nullopt;
}
constexpr std::uint32_t kExportIndex = 0;
constexpr std::uint32_t kImportIndex = 1;
constexpr std::uint32_t kRelocationIndex = 5;

bool HasSignatures(ByteView image, std::uint32_t peOffset) {
  const auto mz = image.Slice(0, 2);
  const auto pe = image.Slice(peOffset, 4);
  return mz && (*mz)[0] == 'M' && (*mz)[1] == 'Z' && pe && (*pe)[0] == 'P' && (*pe)[1] == 'E' &&
         (*pe)[2] == 0 && (*pe)[3] == 0;
}

// Data directory `index`, or an empty one when the header does not carry that many.
std::optional<DataDirectory> ReadDirectory(ByteView image, std::uint64_t optional,
                                           std::uint64_t directories, std::uint32_t optionalSize,
                                           std::uint32_t count, std::uint32_t index) {
  const std::uint64_t at = directories + 8ULL * index;
  if (index >= count || at + 8 > optionalSize) {
    return DataDirectory{};
  }
  const auto rva = image.U32(optional + at);
  const auto size = image.U32(optional + at + 4);
  if (!rva || !size) {
    return std::nullopt;
  }
  return DataDirectory{*rva, *size};
}

std::optional<PeSection> ReadSection(ByteView image, std::uint64_t at, std::uint32_t sizeOfImage) {
  const auto virtualAddress = image.U32(at + 12);
  const auto rawSize = image.U32(at + 16);
  const auto rawOffset = image.U32(at + 20);
  if (!virtualAddress || !rawSize || !rawOffset) {
    return std::nullopt;
  }
  const PeSection section{*virtualAddress, *rawOffset, *rawSize};
  const bool rawInsideFile =
      section.rawSize == 0 || image.Holds(section.rawOffset, section.rawSize);
  const bool fitsImage =
      std::uint64_t{section.virtualAddress} + section.rawSize <= std::uint64_t{sizeOfImage};
  if (!rawInsideFile || !fitsImage) {
    return std::nullopt;
  }
  return section;
}

}  // namespace

std::optional<PeHeaders> ParsePeHeaders(ByteView image) {
  if (image.Size() < 64) {
    return std::nullopt;
  }
  const auto peOffset = image.U32(kPeOffsetField);
  if (!peOffset || !HasSignatures(image, *peOffset)) {
    return std::nullopt;
  }
  const std::uint64_t fileHeader = std::uint64_t{*peOffset} + 4;
  const std::uint64_t optional = fileHeader + kFileHeaderSize;
  const auto layout = LayoutOf(image.U16(fileHeader), image.U16(optional));
  const auto sectionCount = image.U16(fileHeader + 2);
  const auto optionalSize = image.U16(fileHeader + 16);
  const auto characteristics = image.U16(fileHeader + 18);
  if (!layout || !sectionCount || !optionalSize || !characteristics ||
      *optionalSize < layout->directories || !image.Holds(optional, *optionalSize)) {
    return std::nullopt;
  }
  PeHeaders headers;
  headers.width = layout->width;
  headers.characteristics = *characteristics;
  const auto entryPoint = image.U32(optional + 16);
  const auto imageBase = image.Address(optional + layout->imageBase, AddressSize(layout->width));
  const auto sectionAlignment = image.U32(optional + 32);
  const auto sizeOfImage = image.U32(optional + 56);
  const auto sizeOfHeaders = image.U32(optional + 60);
  const auto directoryCount = image.U32(optional + layout->directoryCount);
  if (!entryPoint || !imageBase || !sectionAlignment || !sizeOfImage || !sizeOfHeaders ||
      !directoryCount || *sectionAlignment == 0 || *sizeOfImage == 0 ||
      *sizeOfImage > kMaxImageSize || *sizeOfHeaders > *sizeOfImage ||
      *sizeOfHeaders > image.Size() || *entryPoint >= *sizeOfImage) {
    return std::nullopt;
  }
  headers.entryPoint = *entryPoint;
  headers.imageBase = *imageBase;
  headers.sizeOfImage = *sizeOfImage;
  headers.sizeOfHeaders = *sizeOfHeaders;
  const auto directory = [&](std::uint32_t index) {
    return ReadDirectory(image, optional, layout->directories, *optionalSize, *directoryCount,
                         index);
  };
  const auto exports = directory(kExportIndex);
  const auto imports = directory(kImportIndex);
  const auto relocations = directory(kRelocationIndex);
  if (!exports || !imports || !relocations) {
    return std::nullopt;
  }
  headers.exports = *exports;
  headers.imports = *imports;
  headers.relocations = *relocations;

  const std::uint64_t table = optional + *optionalSize;
  if (!image.Holds(table, kSectionHeaderSize * *sectionCount)) {
    return std::nullopt;
  }
  headers.sections.reserve(*sectionCount);
  for (std::uint64_t i = 0; i < *sectionCount; ++i) {
    const auto section = ReadSection(image, table + kSectionHeaderSize * i, *sizeOfImage);
    if (!section) {
      return std::nullopt;
    }
    headers.sections.push_back(*section);
  }
  return headers;
}

}  // namespace hosting::skin
