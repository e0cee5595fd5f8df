#pragma once
// Maps a PE/COFF DLL image from a byte buffer into memory without the system loader: headers and
// sections at their virtual addresses, base relocations, imports, exports. A PE32 image (i386) has
// 32-bit addresses and HIGHLOW relocations, so on a 64-bit host it is mapped below 4 GiB or
// refused; a PE32+ image (x86-64) has 64-bit ones and DIR64 relocations. Every offset and size of
// the image is checked before it is read; a malformed image makes Load() return false and leaves
// nothing held. Its entry point is called only where this process can run the image's code (a
// Windows process as wide as the image).

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string_view>

namespace hosting::skin {

// One function that an image imports: by name, or by ordinal when `name` is empty.
struct ImportRequest {
  std::string_view library;
  std::string_view name;
  std::uint16_t ordinal = 0;
};

// Gives the address of an imported function, or 0 when it cannot be resolved.
using ImportResolver = std::function<std::uint64_t(const ImportRequest&)>;

class MemoryModule {
 public:
  MemoryModule();
  ~MemoryModule();  // unloads a held module, like Free()
  MemoryModule(const MemoryModule&) = delete;
  MemoryModule& operator=(const MemoryModule&) = delete;
  MemoryModule(MemoryModule&&) noexcept;
  MemoryModule& operator=(MemoryModule&&) noexcept;

  // Frees a module already held, then maps `image`. Imports go through `resolver` when one is
  // given, else through the system loader (Windows only; elsewhere an import then fails).
  // True when the image was mapped; on false nothing is held and GetBase() is 0.
  bool Load(std::span<const std::uint8_t> image, const ImportResolver& resolver = {});
  // Unloads the held module (calling its entry point to detach where it was attached).
  // True when nothing is held afterwards.
  bool Free();
  // Base + the address of the first export called `name`; 0 when absent or nothing is loaded.
  [[nodiscard]] std::uint64_t GetProc(std::string_view name) const;
  // The address at which the image is mapped; 0 when nothing is loaded.
  [[nodiscard]] std::uint64_t GetBase() const;

 private:
  struct Loaded;
  std::unique_ptr<Loaded> loaded_;
};

}  // namespace hosting::skin
