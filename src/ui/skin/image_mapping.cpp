#include "ui/skin/image_mapping.h"

#include <utility>

#include "ui/skin/native_image.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/mman.h>
#endif

namespace hosting::skin {
namespace {

constexpr std::uint64_t k4GiB = std::uint64_t{1} << 32;
// Places tried when neither the preferred base nor the system's own low-memory hint is free.
constexpr std::uint64_t kHintStep = 0x10000000;

// True when every byte of the mapping has an address of `width`.
bool Reaches(const void* p, std::uint32_t size, ImageWidth width) {
  return width == ImageWidth::k64 ||
         reinterpret_cast<std::uintptr_t>(p) + std::uint64_t{size} <= k4GiB;
}

#ifdef _WIN32
void* MapAt(std::uint64_t hint, std::uint32_t size, ImageWidth width) {
  const DWORD protection = CanRunImageCode(width) ? PAGE_EXECUTE_READWRITE : PAGE_READWRITE;
  void* p = VirtualAlloc(reinterpret_cast<void*>(static_cast<std::uintptr_t>(hint)), size,
                         MEM_RESERVE | MEM_COMMIT, protection);
  if (p != nullptr && !Reaches(p, size, width)) {
    VirtualFree(p, 0, MEM_RELEASE);
    return nullptr;
  }
  return p;
}
void Unmap(void* p, std::uint32_t) {
  VirtualFree(p, 0, MEM_RELEASE);
}
void* MapLow(std::uint32_t, ImageWidth) {
  return nullptr;
}
#else
void* MapWith(std::uint64_t hint, std::uint32_t size, int extraFlags, ImageWidth width) {
  void* p = mmap(reinterpret_cast<void*>(static_cast<std::uintptr_t>(hint)), size,
                 PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | extraFlags, -1, 0);
  if (p == MAP_FAILED) {
    return nullptr;
  }
  if (!Reaches(p, size, width)) {
    munmap(p, size);
    return nullptr;
  }
  return p;
}
void* MapAt(std::uint64_t hint, std::uint32_t size, ImageWidth width) {
  return MapWith(hint, size, 0, width);
}
void Unmap(void* p, std::uint32_t size) {
  munmap(p, size);
}
#ifdef MAP_32BIT
void* MapLow(std::uint32_t size, ImageWidth width) {
  return MapWith(0, size, MAP_32BIT, width);
}
#else
void* MapLow(std::uint32_t, ImageWidth) {
  return nullptr;
}
#endif
#endif

}  // namespace

std::optional<ImageMapping> ImageMapping::Reserve(std::uint64_t preferredBase, std::uint32_t size,
                                                  ImageWidth width) {
  if (size == 0) {
    return std::nullopt;
  }
  void* p = preferredBase != 0 ? MapAt(preferredBase, size, width) : nullptr;
  if (p == nullptr && width == ImageWidth::k64) {
    p = MapAt(0, size, width);  // wherever the system puts it
  }
  if (p == nullptr) {
    p = MapLow(size, width);
  }
  for (std::uint64_t hint = kHintStep; p == nullptr && hint + size <= k4GiB; hint += kHintStep) {
    p = MapAt(hint, size, width);
  }
  if (p == nullptr) {
    return std::nullopt;
  }
  return ImageMapping(static_cast<std::uint8_t*>(p), size);
}

ImageMapping::ImageMapping(ImageMapping&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

ImageMapping& ImageMapping::operator=(ImageMapping&& other) noexcept {
  if (this != &other) {
    Release();
    data_ = std::exchange(other.data_, nullptr);
    size_ = std::exchange(other.size_, 0);
  }
  return *this;
}

ImageMapping::~ImageMapping() {
  Release();
}

std::uint64_t ImageMapping::Base() const {
  return reinterpret_cast<std::uintptr_t>(data_);
}

void ImageMapping::Release() {
  if (data_ != nullptr) {
    Unmap(data_, size_);
    data_ = nullptr;
    size_ = 0;
  }
}

}  // namespace hosting::skin
