#pragma once
// The parts of a PE32 (32-bit x86) or PE32+ (x86-64) image header that mapping it needs, read with
// every offset and size checked against the image.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "ui/skin/byte_view.h"

namespace hosting::skin {

// How many bytes the image's addresses take: relocated places, import slots and the image base.
enum class ImageWidth : std::uint8_t { k32 = 4, k64 = 8 };

constexpr std::size_t AddressSize(ImageWidth width) {
  return static_cast<std::size_t>(width);
}

struct DataDirectory {
  std::uint32_t rva = 0;
  std::uint32_t size = 0;
};

struct PeSection {
  std::uint32_t virtualAddress = 0;
  std::uint32_t rawOffset = 0;
  std::uint32_t rawSize = 0;
};

struct PeHeaders {
  static constexpr std::uint16_t kRelocsStripped = 0x0001;
  static constexpr std::uint16_t kDll = 0x2000;

  ImageWidth width = ImageWidth::k32;
  std::uint16_t characteristics = 0;
  std::uint32_t entryPoint = 0;  // RVA; 0 when the image has none
  std::uint64_t imageBase = 0;   // preferred base
  std::uint32_t sizeOfImage = 0;
  std::uint32_t sizeOfHeaders = 0;
  DataDirectory exports;
  DataDirectory imports;
  DataDirectory relocations;
  std::vector<PeSection> sections;
};

// Largest image we agree to map; the DLLs this loader is meant for are a few hundred KiB.
inline constexpr std::uint32_t kMaxImageSize = 64U << 20;

// The headers of a PE32 DLL or EXE for i386 or a PE32+ one for x86-64, or nothing when any check
// fails: the "MZ" and "PE\0\0" signatures, machine and optional-header kind, the optional header's
// own size, the section table, each section's raw data inside the file and its place inside
// SizeOfImage.
std::optional<PeHeaders> ParsePeHeaders(ByteView image);

}  // namespace hosting::skin
