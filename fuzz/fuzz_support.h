#pragma once
// The harness: an input is cut at NULs into kFieldCount fields for Fuzz; a failed Require aborts.
#include <cstddef>
#include <string_view>
#include <vector>

namespace hosting::fuzz {

using Fields = std::vector<std::string_view>;
extern const std::size_t kFieldCount;  // each target defines it and Fuzz
void Fuzz(const Fields& fields);

inline constexpr std::string_view kFullWidthSpace = "\xE3\x80\x80";
// At most `limit` pieces: the last keeps the rest.
Fields Pieces(std::string_view text, std::string_view separator, std::size_t limit);
// Well-formed UTF-8: no stray, overlong or cut sequence, no surrogate, nothing past U+10FFFF.
bool IsUtf8(std::string_view text);
void Require(bool holds, std::string_view property);

}  // namespace hosting::fuzz
