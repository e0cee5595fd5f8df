#pragma once
// Bounded little-endian reads from a run of bytes. Every read states its offset and size and gives
// nothing when they do not lie wholly inside the run, so a malformed image is never read past.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace hosting::skin {

class ByteView {
 public:
  ByteView() = default;
  explicit ByteView(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  [[nodiscard]] std::size_t Size() const { return bytes_.size(); }
  // True when [offset, offset + length) lies inside the run (no overflow on huge values).
  [[nodiscard]] bool Holds(std::uint64_t offset, std::uint64_t length) const {
    return offset <= bytes_.size() && length <= bytes_.size() - offset;
  }
  [[nodiscard]] std::optional<std::uint16_t> U16(std::uint64_t offset) const;
  [[nodiscard]] std::optional<std::uint32_t> U32(std::uint64_t offset) const;
  [[nodiscard]] std::optional<std::uint64_t> U64(std::uint64_t offset) const;
  // An address of `size` bytes (4 or 8), widened.
  [[nodiscard]] std::optional<std::uint64_t> Address(std::uint64_t offset, std::size_t size) const;
  [[nodiscard]] std::optional<std::span<const std::uint8_t>> Slice(std::uint64_t offset,
                                                                   std::uint64_t length) const;
  // The NUL-terminated text at `offset`, at most `maxLength` bytes long; nothing when no NUL
  // follows within that length inside the run. The bound keeps many lookups over long unterminated
  // bytes linear.
  [[nodiscard]] std::optional<std::string_view> CString(std::uint64_t offset,
                                                        std::size_t maxLength) const;

 private:
  std::span<const std::uint8_t> bytes_;
};

}  // namespace hosting::skin
