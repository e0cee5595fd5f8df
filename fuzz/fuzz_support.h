#pragma once
// The shared harness of the fuzz targets: one input cut into fields, and the checks whose
// failure is a finding. A failed check prints what broke and aborts, so libFuzzer (or the
// replay driver) keeps the input that caused it.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace hosting::fuzz {

inline constexpr std::string_view kFullWidthSpace = "\xE3\x80\x80";

// The input cut at its first count - 1 NUL bytes into exactly `count` fields: missing fields are
// empty and the last one keeps the rest, NUL bytes included.
std::vector<std::string_view> Fields(const std::uint8_t* data, std::size_t size, std::size_t count);

// The pieces of text between the separators (an empty piece is kept), at most `limit` of them.
std::vector<std::string_view> Pieces(std::string_view text, std::string_view separator,
                                     std::size_t limit);

// Well-formed UTF-8: no stray, overlong or truncated sequence, no surrogate, nothing past U+10FFFF.
bool IsUtf8(std::string_view text);

// Unless `holds`, prints the property with the texts involved (escaped) and aborts.
void Require(bool holds, std::string_view property, std::string_view first = {},
             std::string_view second = {});

}  // namespace hosting::fuzz
