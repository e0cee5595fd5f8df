#pragma once
// The shared harness of the fuzz targets. It owns libFuzzer's entry point: each input is cut at
// its first kFieldCount - 1 NUL bytes into exactly kFieldCount fields (missing fields are empty,
// the last keeps the rest) and handed to the target's Fuzz. A failed check prints what broke and
// aborts, so libFuzzer (or the replay driver) keeps the input that caused it.
#include <cstddef>
#include <string_view>
#include <vector>

namespace hosting::fuzz {

using Fields = std::vector<std::string_view>;
extern const std::size_t kFieldCount;  // defined by each target, with:
void Fuzz(const Fields& fields);

inline constexpr std::string_view kFullWidthSpace = "\xE3\x80\x80";

// The pieces of text between the separators (an empty piece is kept), at most `limit` of them.
Fields Pieces(std::string_view text, std::string_view separator, std::size_t limit);

// Well-formed UTF-8: no stray, overlong or truncated sequence, no surrogate, nothing past U+10FFFF.
bool IsUtf8(std::string_view text);

// Unless `holds`, prints the property with the texts involved (escaped) and aborts.
void Require(bool holds, std::string_view property, std::string_view first = {},
             std::string_view second = {});

}  // namespace hosting::fuzz
