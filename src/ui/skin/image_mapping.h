#pragma once
// Zero-filled, writable memory for a mapped image, placed where 32-bit addresses reach it: at the
// preferred base when that is free, else anywhere below 4 GiB. Released when the object goes.

#include <cstdint>
#include <optional>
#include <span>

namespace hosting::skin {

class ImageMapping {
 public:
  // `size` bytes at `preferredBase` if possible, else elsewhere below 4 GiB; nothing when no such
  // place is found. Executable only where this process runs the image's code.
  static std::optional<ImageMapping> Reserve(std::uint32_t preferredBase, std::uint32_t size);

  ImageMapping(const ImageMapping&) = delete;
  ImageMapping& operator=(const ImageMapping&) = delete;
  ImageMapping(ImageMapping&& other) noexcept;
  ImageMapping& operator=(ImageMapping&& other) noexcept;
  ~ImageMapping();

  [[nodiscard]] std::uint32_t Base() const;
  [[nodiscard]] std::span<std::uint8_t> Bytes() const { return {data_, size_}; }

 private:
  ImageMapping(std::uint8_t* data, std::uint32_t size) : data_(data), size_(size) {}
  void Release();

  std::uint8_t* data_ = nullptr;
  std::uint32_t size_ = 0;
};

}  // namespace hosting::skin
