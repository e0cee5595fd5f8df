#pragma once
// Conversions between UTF-8 (the program's inside text), GBK (code page 936, the platform's form
// bodies and datas.ini) and UTF-16LE byte buffers. Byte buffers are std::string holding raw bytes.
// Nothing here throws: a conversion that cannot be done yields the empty text or the part done.
// Characters GBK cannot hold become '?'; invalid input sequences become U+FFFD (UTF-8 out) or '?'.

#include <string>
#include <string_view>

namespace hosting::net {

inline constexpr unsigned kCodePageAnsi = 0;  // the platform's ANSI page: always GBK here
inline constexpr unsigned kCodePageGbk = 936;
inline constexpr unsigned kCodePageUtf8 = 65001;

// GBK text -> UTF-16LE bytes with a terminating NUL unit, which dropTerminator removes.
// GbkToWide("ab") == "a\0b\0\0\0" (6 bytes); GbkToWide("") == "".
std::string GbkToWide(std::string_view gbk, bool dropTerminator = false);
// UTF-16LE bytes -> GBK text up to the first NUL unit.
std::string WideToGbk(std::string_view wide);
// Text in codePage -> UTF-16LE bytes with the terminating NUL unit.
std::string TextToWide(std::string_view text, unsigned codePage = kCodePageUtf8);
// UTF-16LE bytes -> text in codePage, up to the first NUL.
std::string WideToText(std::string_view wide, unsigned codePage = kCodePageAnsi);

std::string Utf8ToGbk(std::string_view utf8);
std::string GbkToUtf8(std::string_view gbk);

// Bytes in a named charset ("gbk", "GB2312", "utf-8", "big5", ...) -> UTF-8. Unknown charset
// names and invalid sequences never fail: the text is then taken as UTF-8 (invalid -> U+FFFD).
std::string CharsetToUtf8(std::string_view bytes, std::string_view charset);
// Replaces every invalid UTF-8 sequence with U+FFFD.
std::string SanitizeUtf8(std::string_view bytes);

}  // namespace hosting::net
