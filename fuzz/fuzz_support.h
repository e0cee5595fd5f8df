#pragma once
// Helpers of the fuzz targets: one input cut into fields, and the checks whose failure is a
// finding. A failed check prints what broke and aborts, so libFuzzer (or the replay driver)
// keeps the input that caused it.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace hosting::fuzz {

// The input as text.
std::string_view AsText(const std::uint8_t* data, std::size_t size);

// The text cut at its first count - 1 NUL bytes into exactly `count` fields: missing fields are
// empty and the last field keeps the rest, NUL bytes included.
std::vector<std::string_view> Fields(std::string_view text, std::size_t count);

// The pieces of text between the separators (an empty piece is kept), at most `limit` of them.
std::vector<std::string_view> Pieces(std::string_view text, std::string_view separator,
                                     std::size_t limit);

// True for well-formed UTF-8: no stray, overlong or truncated sequence, no surrogate, nothing
// above U+10FFFF.
bool IsUtf8(std::string_view text);

// Reports the broken property with the texts involved (printed escaped) and aborts.
[[noreturn]] void Fail(std::string_view property, std::string_view first = {},
                       std::string_view second = {});

inline void Require(bool holds, std::string_view property, std::string_view first = {},
                    std::string_view second = {}) {
  if (!holds) {
    Fail(property, first, second);
  }
}

}  // namespace hosting::fuzz
