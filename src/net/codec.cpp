#include "net/codec.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <utility>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#endif

namespace hosting::net {
namespace {

constexpr std::string_view kWideTerminator{"\0\0", 2};
constexpr std::string_view kReplacementUtf8 = "\xEF\xBF\xBD";  // U+FFFD

// Byte length of the leading NUL-terminated part of a UTF-16LE buffer (an odd last byte is
// dropped).
std::string_view UpToWideNul(std::string_view wide) {
  const std::size_t units = wide.size() / 2;
  for (std::size_t i = 0; i < units; ++i) {
    if (wide[2 * i] == '\0' && wide[2 * i + 1] == '\0') {
      return wide.substr(0, 2 * i);
    }
  }
  return wide.substr(0, 2 * units);
}

// The platform's systems run the Chinese ANSI page, whatever this machine's own page is.
unsigned NormalizedPage(unsigned codePage) {
  return codePage == kCodePageAnsi ? kCodePageGbk : codePage;
}

std::string AsciiLower(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return lower;
}

#ifdef _WIN32

constexpr wchar_t kReplacementWide = 0xFFFD;

// One character of a multi-byte page at the start of `bytes`: its UTF-16 unit and byte length,
// or U+FFFD over one byte when the bytes are not a character of the page (a GBK byte 0xFF, which
// Windows maps to a private-use character, is none either).
std::pair<wchar_t, std::size_t> DecodeOneCharacter(std::string_view bytes, UINT page) {
  const auto lead = static_cast<unsigned char>(bytes[0]);
  const std::size_t length = IsDBCSLeadByteEx(page, lead) ? 2 : 1;
  wchar_t unit = kReplacementWide;
  const bool valid = length <= bytes.size() && !(page == kCodePageGbk && lead == 0xFF) &&
                     MultiByteToWideChar(page, MB_ERR_INVALID_CHARS, bytes.data(),
                                         static_cast<int>(length), &unit, 1) == 1;
  return valid ? std::pair{unit, length} : std::pair{kReplacementWide, std::size_t{1}};
}

std::wstring DecodeWholeText(std::string_view bytes, UINT page) {
  const int length = static_cast<int>(bytes.size());
  const int units = MultiByteToWideChar(page, 0, bytes.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(units, 0)), L'\0');
  MultiByteToWideChar(page, 0, bytes.data(), length, wide.data(), units);
  return wide;
}

// Bytes in codePage -> UTF-16LE bytes; invalid sequences become U+FFFD (the UTF-8 conversion of
// the system does that itself, a double-byte page is decoded one character at a time for it).
std::string DecodeToWide(std::string_view bytes, unsigned codePage) {
  const UINT page = NormalizedPage(codePage);
  std::wstring wide;
  if (page == kCodePageUtf8) {
    wide = DecodeWholeText(bytes, page);
  } else {
    for (std::size_t at = 0; at < bytes.size();) {
      const auto [unit, length] = DecodeOneCharacter(bytes.substr(at), page);
      wide.push_back(unit);
      at += length;
    }
  }
  return std::string(reinterpret_cast<const char*>(wide.data()), wide.size() * 2);
}

// Outside UTF-8, a surrogate pair is one character that the page cannot hold: it becomes one '?',
// not one per half as the system's conversion would make it.
void JoinSurrogatePairs(std::wstring& source) {
  std::size_t out = 0;
  for (std::size_t i = 0; i < source.size(); ++i) {
    const bool pair = i + 1 < source.size() && source[i] >= 0xD800 && source[i] <= 0xDBFF &&
                      source[i + 1] >= 0xDC00 && source[i + 1] <= 0xDFFF;
    source[out++] = pair ? kReplacementWide : source[i];
    i += pair ? 1 : 0;
  }
  source.resize(out);
}

// UTF-16LE bytes -> bytes in codePage; unrepresentable characters become the page's default ('?').
std::string EncodeFromWide(std::string_view wide, unsigned codePage) {
  const int units = static_cast<int>(wide.size() / 2);
  if (units == 0) {
    return {};
  }
  std::wstring source(static_cast<std::size_t>(units), L'\0');
  std::copy_n(wide.data(), static_cast<std::size_t>(units) * 2,
              reinterpret_cast<char*>(source.data()));
  const UINT page = NormalizedPage(codePage);
  if (page != kCodePageUtf8 && page != 54936) {
    JoinSurrogatePairs(source);
  }
  const int length = static_cast<int>(source.size());
  const int size =
      WideCharToMultiByte(page, 0, source.data(), length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) {
    return {};
  }
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(page, 0, source.data(), length, out.data(), size, nullptr, nullptr);
  return out;
}

std::optional<unsigned> CodePageOfCharset(std::string_view charset) {
  static constexpr std::pair<std::string_view, unsigned> kPages[] = {
      {"gbk", 936},           {"gb2312", 936},    {"cp936", 936},   {"gb18030", 54936},
      {"big5", 950},          {"shift_jis", 932}, {"euc-kr", 949},  {"iso-8859-1", 28591},
      {"windows-1252", 1252}, {"utf-16le", 1200}, {"utf-8", 65001}, {"utf8", 65001}};
  const std::string name = AsciiLower(charset);
  for (const auto& [known, page] : kPages) {
    if (name == known) {
      return page;
    }
  }
  return std::nullopt;
}

std::optional<std::string> CharsetToWide(std::string_view bytes, std::string_view charset) {
  const std::optional<unsigned> page = CodePageOfCharset(charset);
  if (!page) {
    return std::nullopt;
  }
  if (*page == 1200) {
    return std::string(bytes.substr(0, bytes.size() / 2 * 2));
  }
  return DecodeToWide(bytes, *page);
}

#else  // iconv

// What a character that the target cannot hold becomes (the code-page API does the same itself).
std::string_view SubstituteFor(unsigned codePage) {
  return codePage == kCodePageUtf8 ? kReplacementUtf8 : std::string_view{"?"};
}

std::string IconvName(unsigned codePage) {
  switch (NormalizedPage(codePage)) {
    case kCodePageUtf8:
      return "UTF-8";
    case kCodePageGbk:
      return "CP936";
    default:
      return "CP" + std::to_string(codePage);
  }
}

class Iconv {
 public:
  Iconv(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Iconv() {
    if (valid()) {
      iconv_close(cd_);
    }
  }
  Iconv(const Iconv&) = delete;
  Iconv& operator=(const Iconv&) = delete;

  bool valid() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

  // Converts all of input. At a sequence that cannot be converted, skip(rest) input bytes are
  // dropped and `substitute` is written instead; an incomplete sequence at the end becomes one
  // substitute. The input goes in small chunks: glibc converts ahead into internal buffers and
  // redoes that work after every error, which made dense errors quadratic.
  template <typename Skip>
  std::string Run(std::string_view input, std::string_view substitute, Skip skip) const {
    constexpr std::size_t kChunkBytes = 64;
    std::string out(input.size() * 2 + kChunkBytes, '\0');
    std::size_t written = 0;
    while (!input.empty()) {
      const std::size_t chunk = std::min(input.size(), kChunkBytes);
      char* in = const_cast<char*>(input.data());  // iconv's signature; it does not write there
      std::size_t inLeft = chunk;
      char* dest = out.data() + written;
      std::size_t outLeft = out.size() - written;
      const std::size_t result = iconv(cd_, &in, &inLeft, &dest, &outLeft);
      const int error = errno;
      written = out.size() - outLeft;
      const bool lastChunk = chunk == input.size();
      input.remove_prefix(chunk - inLeft);
      if (result != static_cast<std::size_t>(-1)) {
        continue;
      }
      if (error == E2BIG) {
        out.resize(out.size() * 2);
        continue;
      }
      if (error == EINVAL && !lastChunk) {
        continue;  // the chunk ended inside a sequence that the next chunk completes
      }
      out.replace(written, substitute.size(), substitute);
      written += substitute.size();
      if (error != EILSEQ) {  // EINVAL: the input ends inside a sequence
        break;
      }
      input.remove_prefix(std::min(input.size(), skip(input)));
    }
    out.resize(written);
    return out;
  }

 private:
  iconv_t cd_;
};

std::size_t SkipOneByte(std::string_view) {
  return 1;
}

// Input units to drop at a UTF-16LE character the target cannot hold: a whole surrogate pair,
// otherwise one unit.
std::size_t SkipWideCharacter(std::string_view rest) {
  const auto unit = [&rest](std::size_t i) {
    return static_cast<unsigned>(static_cast<unsigned char>(rest[i])) |
           static_cast<unsigned>(static_cast<unsigned char>(rest[i + 1])) << 8;
  };
  const bool pair =
      rest.size() >= 4 && (unit(0) & 0xFC00) == 0xD800 && (unit(2) & 0xFC00) == 0xDC00;
  return pair ? 4 : 2;
}

// Nothing when iconv does not know the charset.
std::optional<std::string> DecodeNamedToWide(std::string_view bytes, const std::string& charset) {
  const Iconv conversion("UTF-16LE", charset.c_str());
  if (!conversion.valid()) {
    return std::nullopt;
  }
  return conversion.Run(bytes, "\xFD\xFF", SkipOneByte);  // U+FFFD in UTF-16LE
}

std::string DecodeToWide(std::string_view bytes, unsigned codePage) {
  return DecodeNamedToWide(bytes, IconvName(codePage)).value_or("");
}

std::string EncodeFromWide(std::string_view wide, unsigned codePage) {
  const Iconv conversion(IconvName(codePage).c_str(), "UTF-16LE");
  if (!conversion.valid()) {
    return {};
  }
  return conversion.Run(wide.substr(0, wide.size() / 2 * 2), SubstituteFor(codePage),
                        SkipWideCharacter);
}

std::optional<std::string> CharsetToWide(std::string_view bytes, std::string_view charset) {
  // Only plain names reach iconv: no empty name (the locale's), no "//" suffixes, no paths.
  const auto plain = [](unsigned char c) { return std::isalnum(c) || c == '-' || c == '_'; };
  if (charset.empty() || !std::all_of(charset.begin(), charset.end(), plain)) {
    return std::nullopt;
  }
  const std::string name = AsciiLower(charset);
  // Pages that declare gb2312 use the whole of GBK.
  return DecodeNamedToWide(bytes, name == "gb2312" || name == "gbk" ? "CP936" : name);
}

#endif

std::string Trimmed(std::string_view text) {
  const auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
  while (!text.empty() && blank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && blank(text.back())) {
    text.remove_suffix(1);
  }
  return std::string(text);
}

}  // namespace

std::string GbkToWide(std::string_view gbk, bool dropTerminator) {
  if (gbk.empty()) {
    return {};
  }
  std::string wide = DecodeToWide(gbk, kCodePageGbk);
  if (!dropTerminator) {
    wide += kWideTerminator;
  }
  return wide;
}

std::string WideToGbk(std::string_view wide) {
  return WideToText(wide, kCodePageGbk);
}

std::string TextToWide(std::string_view text, unsigned codePage) {
  return DecodeToWide(text, codePage) + std::string(kWideTerminator);
}

std::string WideToText(std::string_view wide, unsigned codePage) {
  return EncodeFromWide(UpToWideNul(wide), codePage);
}

std::string Utf8ToGbk(std::string_view utf8) {
  return EncodeFromWide(DecodeToWide(utf8, kCodePageUtf8), kCodePageGbk);
}

std::string GbkToUtf8(std::string_view gbk) {
  return EncodeFromWide(DecodeToWide(gbk, kCodePageGbk), kCodePageUtf8);
}

std::string CharsetToUtf8(std::string_view bytes, std::string_view charset) {
  const std::optional<std::string> wide = CharsetToWide(bytes, Trimmed(charset));
  return wide ? EncodeFromWide(*wide, kCodePageUtf8) : SanitizeUtf8(bytes);
}

std::string SanitizeUtf8(std::string_view bytes) {
  return EncodeFromWide(DecodeToWide(bytes, kCodePageUtf8), kCodePageUtf8);
}

}  // namespace hosting::net
