#include "ui/skin/byte_view.h"

#include <algorithm>

namespace hosting::skin {

std::optional<std::uint16_t> ByteView::U16(std::uint64_t offset) const {
  if (!Holds(offset, 2)) {
    return std::nullopt;
  }
  const auto* p = bytes_.data() + offset;
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::optional<std::uint32_t> ByteView::U32(std::uint64_t offset) const {
  if (!Holds(offset, 4)) {
    return std::nullopt;
  }
  const auto* p = bytes_.data() + offset;
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::optional<std::uint64_t> ByteView::U64(std::uint64_t offset) const {
  if (!Holds(offset, 8)) {
    return std::nullopt;
  }
  return (std::uint64_t{*U32(offset + 4)} << 32) | *U32(offset);
}

std::optional<std::uint64_t> ByteView::Address(std::uint64_t offset, std::size_t size) const {
  if (size == 8) {
    return U64(offset);
  }
  return U32(offset);
}

std::optional<std::span<const std::uint8_t>> ByteView::Slice(std::uint64_t offset,
                                                             std::uint64_t length) const {
  if (!Holds(offset, length)) {
    return std::nullopt;
  }
  return bytes_.subspan(offset, length);
}

std::optional<std::string_view> ByteView::CString(std::uint64_t offset,
                                                  std::size_t maxLength) const {
  if (!Holds(offset, 0)) {
    return std::nullopt;
  }
  const auto rest = bytes_.subspan(offset).first(
      std::min<std::uint64_t>(bytes_.size() - offset, std::uint64_t{maxLength} + 1));
  const auto end = std::find(rest.begin(), rest.end(), std::uint8_t{0});
  if (end == rest.end()) {
    return std::nullopt;
  }
  return std::string_view(reinterpret_cast<const char*>(rest.data()),
                          static_cast<std::size_t>(end - rest.begin()));
}

}  // namespace hosting::skin
