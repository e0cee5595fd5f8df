#include "ui/skin/memory_module.h"

#include <algorithm>
#include <utility>

#include "ui/skin/byte_view.h"
#include "ui/skin/image_mapping.h"
#include "ui/skin/native_image.h"
#include "ui/skin/pe_headers.h"

namespace hosting::skin {
namespace {

// True when the NUL-terminated name at `offset` is `name`. Reads no further than name's length,
// so that a lookup over many entries pointing at long unterminated bytes stays linear.
bool NameIs(const ByteView& view, std::uint64_t offset, std::string_view name) {
  const auto bytes = view.Slice(offset, name.size() + 1);
  return bytes && bytes->back() == 0 && name.find('\0') == std::string_view::npos &&
         std::equal(name.begin(), name.end(), bytes->begin(),
                    [](char a, std::uint8_t b) { return static_cast<std::uint8_t>(a) == b; });
}

constexpr std::uint64_t kRelocationBlockHeader = 8;
constexpr std::uint16_t kRelocationHighLow = 3;
constexpr std::uint16_t kRelocationDir64 = 10;
constexpr std::uint64_t kImportDescriptorSize = 20;
// Longest library or function name an import may give; real ones are a few dozen bytes.
constexpr std::size_t kMaxImportName = 1024;

// Writes `value` as an address of `width`; false when it lies outside the bytes or `value` does not
// fit.
bool WriteAddress(std::span<std::uint8_t> bytes, std::uint64_t offset, std::uint64_t value,
                  ImageWidth width) {
  const std::size_t size = AddressSize(width);
  if (offset > bytes.size() || bytes.size() - offset < size || (size < 8 && value >> 32 != 0)) {
    return false;
  }
  for (std::size_t i = 0; i < size; ++i) {
    bytes[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
  }
  return true;
}

void CopyImage(std::span<const std::uint8_t> image, const PeHeaders& headers,
               std::span<std::uint8_t> mapped) {
  std::copy_n(image.begin(), headers.sizeOfHeaders, mapped.begin());
  for (const PeSection& section : headers.sections) {
    // Raw data lies inside the file and the section inside the image: ParsePeHeaders checked both.
    // The memory is zero-filled, so the rest of each section up to its aligned size stays zero.
    std::copy_n(image.begin() + section.rawOffset, section.rawSize,
                mapped.begin() + section.virtualAddress);
  }
}

// Adds `delta` to every place named by the relocation blocks with the kind of the image's width
// (HIGHLOW or DIR64), modulo that width; other entry kinds are skipped.
bool Relocate(std::span<std::uint8_t> mapped, DataDirectory directory, std::uint64_t delta,
              ImageWidth width) {
  const ByteView view(mapped);
  const std::uint16_t kind = width == ImageWidth::k64 ? kRelocationDir64 : kRelocationHighLow;
  const std::uint64_t mask = width == ImageWidth::k64 ? ~0ULL : 0xFFFFFFFFULL;
  if (!view.Holds(directory.rva, directory.size)) {
    return false;
  }
  const std::uint64_t end = std::uint64_t{directory.rva} + directory.size;
  for (std::uint64_t block = directory.rva; end - block >= kRelocationBlockHeader;) {
    const std::uint32_t page = *view.U32(block);
    const std::uint32_t blockSize = *view.U32(block + 4);
    if (page == 0 && blockSize == 0) {
      break;
    }
    if (blockSize < kRelocationBlockHeader || blockSize > end - block) {
      return false;
    }
    const std::uint64_t entries = (blockSize - kRelocationBlockHeader) / 2;
    for (std::uint64_t i = 0; i < entries; ++i) {
      const std::uint16_t entry = *view.U16(block + kRelocationBlockHeader + 2 * i);
      if ((entry >> 12) != kind) {
        continue;
      }
      const std::uint64_t target = std::uint64_t{page} + (entry & 0x0FFFU);
      const auto value = view.Address(target, AddressSize(width));
      if (!value || !WriteAddress(mapped, target, (*value + delta) & mask, width)) {
        return false;
      }
    }
    block += blockSize;
  }
  return true;
}

std::optional<ImportRequest> ReadImportThunk(ByteView view, std::string_view library,
                                             std::uint64_t thunk, ImageWidth width) {
  const std::uint64_t byOrdinal = std::uint64_t{1} << (8 * AddressSize(width) - 1);
  if ((thunk & byOrdinal) != 0) {
    return ImportRequest{library, {}, static_cast<std::uint16_t>(thunk & 0xFFFFU)};
  }
  const auto name = view.CString(thunk + 2, kMaxImportName);  // after the 16-bit hint
  if (!name || name->empty()) {
    return std::nullopt;
  }
  return ImportRequest{library, *name, 0};
}

// Fills the import address table of every import descriptor; one unresolved function fails all.
bool ResolveImports(std::span<std::uint8_t> mapped, DataDirectory directory, ImageWidth width,
                    const ImportResolver& resolver, SystemLibraries& libraries) {
  if (directory.rva == 0 || directory.size == 0) {
    return true;
  }
  const ByteView view(mapped);
  for (std::uint64_t descriptor = directory.rva;; descriptor += kImportDescriptorSize) {
    if (!view.Holds(descriptor, kImportDescriptorSize)) {
      return false;
    }
    const std::uint32_t lookupTable = *view.U32(descriptor);
    const std::uint32_t nameRva = *view.U32(descriptor + 12);
    const std::uint32_t addressTable = *view.U32(descriptor + 16);
    if (nameRva == 0) {
      return true;
    }
    const auto library = view.CString(nameRva, kMaxImportName);
    if (!library) {
      return false;
    }
    const std::uint64_t thunks = lookupTable != 0 ? lookupTable : addressTable;
    const std::size_t slot = AddressSize(width);
    for (std::uint64_t i = 0;; ++i) {
      const auto thunk = view.Address(thunks + slot * i, slot);
      if (!thunk) {
        return false;
      }
      if (*thunk == 0) {
        break;
      }
      const auto request = ReadImportThunk(view, *library, *thunk, width);
      if (!request) {
        return false;
      }
      const std::uint64_t address = resolver ? resolver(*request) : libraries.Resolve(*request);
      if (address == 0 || !WriteAddress(mapped, addressTable + slot * i, address, width)) {
        return false;
      }
    }
  }
}

// True when the image is a DLL with an entry point that this process can call.
bool HasEntryPoint(const PeHeaders& headers) {
  return (headers.characteristics & PeHeaders::kDll) != 0 && headers.entryPoint != 0 &&
         CanRunImageCode(headers.width);
}

}  // namespace

struct MemoryModule::Loaded {
  ImageMapping mapping;
  PeHeaders headers;
  SystemLibraries libraries;

  [[nodiscard]] std::uint64_t Base() const { return mapping.Base(); }
  [[nodiscard]] std::uint64_t EntryAddress() const { return Base() + headers.entryPoint; }
};

MemoryModule::MemoryModule() = default;
MemoryModule::MemoryModule(MemoryModule&&) noexcept = default;

MemoryModule& MemoryModule::operator=(MemoryModule&& other) noexcept {
  if (this != &other) {
    Free();
    loaded_ = std::move(other.loaded_);
  }
  return *this;
}

MemoryModule::~MemoryModule() {
  Free();
}

bool MemoryModule::Load(std::span<const std::uint8_t> image, const ImportResolver& resolver) {
  Free();
  auto headers = ParsePeHeaders(ByteView(image));
  if (!headers) {
    return false;
  }
  auto mapping = ImageMapping::Reserve(headers->imageBase, headers->sizeOfImage, headers->width);
  if (!mapping) {
    return false;
  }
  const auto mapped = mapping->Bytes();
  CopyImage(image, *headers, mapped);
  if (mapping->Base() != headers->imageBase) {
    // An image without relocation data works only at its preferred base.
    if ((headers->characteristics & PeHeaders::kRelocsStripped) != 0 ||
        !Relocate(mapped, headers->relocations, mapping->Base() - headers->imageBase,
                  headers->width)) {
      return false;
    }
  }
  SystemLibraries libraries;
  if (!ResolveImports(mapped, headers->imports, headers->width, resolver, libraries)) {
    return false;
  }
  auto loaded = std::make_unique<Loaded>(
      Loaded{std::move(*mapping), std::move(*headers), std::move(libraries)});
  if (HasEntryPoint(loaded->headers) &&
      !CallEntryPoint(loaded->EntryAddress(), loaded->Base(), EntryReason::kProcessAttach)) {
    CallEntryPoint(loaded->EntryAddress(), loaded->Base(), EntryReason::kProcessDetach);
    return false;
  }
  loaded_ = std::move(loaded);
  return true;
}

bool MemoryModule::Free() {
  if (loaded_ && HasEntryPoint(loaded_->headers)) {
    CallEntryPoint(loaded_->EntryAddress(), loaded_->Base(), EntryReason::kProcessDetach);
  }
  loaded_.reset();
  return true;
}

std::uint64_t MemoryModule::GetProc(std::string_view name) const {
  if (!loaded_) {
    return 0;
  }
  const DataDirectory directory = loaded_->headers.exports;
  const ByteView view(loaded_->mapping.Bytes());
  if (directory.rva == 0 || directory.size == 0 || !view.Holds(directory.rva, 40)) {
    return 0;
  }
  const std::uint32_t functionCount = *view.U32(directory.rva + 20ULL);
  const std::uint32_t nameCount = *view.U32(directory.rva + 24ULL);
  const std::uint64_t functions = *view.U32(directory.rva + 28ULL);
  const std::uint64_t names = *view.U32(directory.rva + 32ULL);
  const std::uint64_t ordinals = *view.U32(directory.rva + 36ULL);
  for (std::uint64_t i = 0; i < nameCount; ++i) {
    const auto nameRva = view.U32(names + 4 * i);
    if (!nameRva) {
      return 0;
    }
    if (!NameIs(view, *nameRva, name)) {
      continue;
    }
    const auto index = view.U16(ordinals + 2 * i);
    if (!index || *index >= functionCount) {
      return 0;
    }
    const auto function = view.U32(functions + 4ULL * *index);
    return function && *function != 0 && *function < view.Size() ? loaded_->Base() + *function : 0;
  }
  return 0;
}

std::uint64_t MemoryModule::GetBase() const {
  return loaded_ ? loaded_->Base() : 0;
}

}  // namespace hosting::skin
