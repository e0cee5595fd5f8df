#pragma once
// Byte-wise ASCII helpers of the transport: case-insensitive searches over header texts and the
// blanks of the cookie texts. Bytes outside ASCII compare as they are.

#include <cstddef>
#include <string>
#include <string_view>

namespace hosting::net {

// Position of the first `needle` at or after `from`, letters compared without case; npos if none.
std::size_t FindIgnoreCase(std::string_view haystack, std::string_view needle,
                           std::size_t from = 0);
bool ContainsIgnoreCase(std::string_view haystack, std::string_view needle);
bool StartsWithIgnoreCase(std::string_view text, std::string_view prefix);
std::string ToLowerAscii(std::string_view text);

// Blanks of the cookie texts: the ASCII space and the full-width space U+3000.
std::string_view TrimBlanks(std::string_view text);
std::string RemoveBlanks(std::string_view text);

}  // namespace hosting::net
