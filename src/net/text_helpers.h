#pragma once
// Marker cutters, unescaping and the random digits of the request URLs. Free functions without
// shared state; safe on any thread. Positions are 1-based byte positions as the callers count them.

#include <cstdint>
#include <string>
#include <string_view>

namespace hosting::net {

// The text between the first `before` at or after `start` and the next `after`; "" when either
// marker is missing. "#引号" in a marker stands for a double quote.
std::string TextBetween(std::string_view text, std::string_view before, std::string_view after,
                        int start = 1, bool ignoreCase = false);
// The text from its beginning up to the first `marker` at or after `start`; "" when missing.
std::string TextBefore(std::string_view text, std::string_view marker, int start = 1,
                       bool ignoreCase = false);

// %XX -> byte (hex digits of either case); '+' stays '+'; a '%' not followed by two hex digits is
// copied unchanged. With utf8 the decoded bytes are taken as UTF-8, our inside text (invalid
// sequences -> U+FFFD); without it they are returned as they are.
std::string UrlDecode(std::string_view text, bool utf8 = false);
// Decodes \uXXXX, %uXXXX and %XX escapes (UTF-16 surrogate pairs joined; %XX is U+00XX) into
// UTF-8 text. Anything else, line breaks and apostrophes included, stays as it is; an escaped
// NUL ends the text.
std::string UnescapeUnicode(std::string_view text);
// UTF-16LE bytes -> UTF-8 text up to the first NUL unit (an odd trailing byte is ignored, lone
// surrogates -> U+FFFD).
std::string UnicodeBytesToText(std::string_view utf16le);

// A uniform integer in [minimum, maximum]; maximum 0 means INT32_MAX; maximum < minimum -> minimum.
std::int32_t RandomInRange(std::int32_t minimum, std::int32_t maximum);
// `count` random digits: kind 0 any digit, kind 1 odd digits, other kinds even digits.
std::string RandomDigits(int count, int kind = 0);

}  // namespace hosting::net
