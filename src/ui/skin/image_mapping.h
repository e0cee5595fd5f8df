#pragma once
// Zero-filled, writable memory for a mapped image, placed where the image's addresses reach it: at
// the preferred base when that is free, else anywhere (below 4 GiB for a 32-bit image). Released
// when the object goes.

#include <cstdint>
#include <optional>
#include <span>

#include "ui/skin/pe_headers.h"

namespace hosting::skin {

class ImageMapping {
 public:
  // `size` bytes at `preferredBase` if possible, else elsewhere that `width` reaches; nothing when
  // no such place is found. Executable only where this process runs the image's code.
  static std::optional<ImageMapping> Reserve(std::uint64_t preferredBase, std::uint32_t size,
                                             ImageWidth width);

  ImageMapping(const ImageMapping&) = delete;
  ImageMapping& operator=(const ImageMapping&) = delete;
  ImageMapping(ImageMapping&& other) noexcept;
  ImageMapping& operator=(ImageMapping&& other) noexcept;
  ~ImageMapping();

  [[nodiscard]] std::uint64_t Base() const;
  [[nodiscard]] std::span<std::uint8_t> Bytes() const { return {data_, size_}; }

 private:
  ImageMapping(std::uint8_t* data, std::uint32_t size) : data_(data), size_(size) {}
  void Release();

  std::uint8_t* data_ = nullptr;
  std::uint32_t size_ = 0;
};

}  // namespace hosting::skin
