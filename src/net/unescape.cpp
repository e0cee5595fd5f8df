#include <optional>

#include "net/codec.h"
#include "net/text_helpers.h"

namespace hosting::net {
namespace {

std::optional<unsigned> HexValue(std::string_view digits) {
  unsigned value = 0;
  for (const char c : digits) {
    value <<= 4;
    if (c >= '0' && c <= '9') {
      value |= static_cast<unsigned>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      value |= static_cast<unsigned>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      value |= static_cast<unsigned>(c - 'A' + 10);
    } else {
      return std::nullopt;
    }
  }
  return value;
}

// The value of `length` hex digits at text[at], or nothing when they are missing or not hex.
std::optional<unsigned> HexAt(std::string_view text, std::size_t at, std::size_t length) {
  return at + length <= text.size() ? HexValue(text.substr(at, length)) : std::nullopt;
}

// UTF-8 text -> UTF-16LE units without the terminator.
std::string WideUnits(std::string_view utf8) {
  std::string wide = TextToWide(utf8, kCodePageUtf8);
  wide.resize(wide.size() - 2);
  return wide;
}

void AppendUnit(std::string& wide, unsigned unit) {
  wide += static_cast<char>(unit & 0xFF);
  wide += static_cast<char>(unit >> 8);
}

}  // namespace

std::string UrlDecode(std::string_view text, bool utf8) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const std::optional<unsigned> value = text[i] == '%' ? HexAt(text, i + 1, 2) : std::nullopt;
    if (value) {
      out += static_cast<char>(*value);
      i += 2;
    } else {
      out += text[i];
    }
  }
  return utf8 ? SanitizeUtf8(out) : out;
}

// Works on UTF-16 units, so that escaped surrogate halves join the way a script's unescape()
// joins them; the codec turns halves left alone into U+FFFD.
std::string UnescapeUnicode(std::string_view text) {
  const std::string wide = WideUnits(text);
  const std::size_t count = wide.size() / 2;
  // The ASCII units as bytes; every other unit is 0x80, which is neither an escape nor hex.
  std::string ascii(count, '\x80');
  for (std::size_t i = 0; i < count; ++i) {
    if (wide[2 * i + 1] == '\0' && static_cast<unsigned char>(wide[2 * i]) < 0x80) {
      ascii[i] = wide[2 * i];
    }
  }
  std::string out;
  out.reserve(wide.size());
  for (std::size_t i = 0; i < count; ++i) {
    const bool wideEscape =
        (ascii[i] == '%' || ascii[i] == '\\') && i + 1 < count && ascii[i + 1] == 'u';
    const std::optional<unsigned> unit = wideEscape ? HexAt(ascii, i + 2, 4) : std::nullopt;
    // "%XX" is the character U+00XX, as unescape() reads it.
    const std::optional<unsigned> narrow =
        ascii[i] == '%' && !unit ? HexAt(ascii, i + 1, 2) : std::nullopt;
    if (unit) {
      AppendUnit(out, *unit);
      i += 5;
    } else if (narrow) {
      AppendUnit(out, *narrow);
      i += 2;
    } else {
      out.append(wide, 2 * i, 2);
    }
  }
  return UnicodeBytesToText(out);
}

std::string UnicodeBytesToText(std::string_view utf16le) {
  return WideToText(utf16le, kCodePageUtf8);
}

}  // namespace hosting::net
