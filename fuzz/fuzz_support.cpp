#include "fuzz_support.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace hosting::fuzz {
namespace {

// Printable ASCII as it is, every other byte as \xHH; long texts are cut.
std::string Escaped(std::string_view text) {
  constexpr std::size_t kShown = 400;
  std::string out;
  for (const char c : text.substr(0, kShown)) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte < 0x7F && byte != '\\') {
      out += c;
    } else {
      char hex[5];
      std::snprintf(hex, sizeof hex, "\\x%02X", byte);
      out += hex;
    }
  }
  if (text.size() > kShown) {
    out += "... (" + std::to_string(text.size()) + " bytes)";
  }
  return out;
}

// Length of the UTF-8 sequence at text[at], or 0 when it is not well formed.
std::size_t SequenceLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  if (lead < 0x80) {
    return 1;
  }
  std::size_t length = 0;
  unsigned char low = 0x80;  // bounds of the second byte (overlongs, surrogates, > U+10FFFF)
  unsigned char high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    low = lead == 0xE0 ? 0xA0 : 0x80;
    high = lead == 0xED ? 0x9F : 0xBF;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    low = lead == 0xF0 ? 0x90 : 0x80;
    high = lead == 0xF4 ? 0x8F : 0xBF;
  } else {
    return 0;
  }
  if (at + length > text.size()) {
    return 0;
  }
  for (std::size_t i = 1; i < length; ++i) {
    const auto byte = static_cast<unsigned char>(text[at + i]);
    const bool second = i == 1;
    if (byte < (second ? low : 0x80) || byte > (second ? high : 0xBF)) {
      return 0;
    }
  }
  return length;
}

}  // namespace

std::string_view AsText(const std::uint8_t* data, std::size_t size) {
  return size == 0 ? std::string_view{}
                   : std::string_view(reinterpret_cast<const char*>(data), size);
}

std::vector<std::string_view> Fields(std::string_view text, std::size_t count) {
  std::vector<std::string_view> fields;
  while (fields.size() + 1 < count) {
    const std::size_t nul = text.find('\0');
    if (nul == std::string_view::npos) {
      break;
    }
    fields.push_back(text.substr(0, nul));
    text.remove_prefix(nul + 1);
  }
  fields.push_back(text);
  fields.resize(count);
  return fields;
}

std::vector<std::string_view> Pieces(std::string_view text, std::string_view separator,
                                     std::size_t limit) {
  std::vector<std::string_view> pieces;
  while (pieces.size() < limit) {
    const std::size_t at = text.find(separator);
    pieces.push_back(text.substr(0, at));
    if (at == std::string_view::npos) {
      break;
    }
    text.remove_prefix(at + separator.size());
  }
  return pieces;
}

bool IsUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const std::size_t length = SequenceLength(text, at);
    if (length == 0) {
      return false;
    }
    at += length;
  }
  return true;
}

void Fail(std::string_view property, std::string_view first, std::string_view second) {
  std::fprintf(stderr, "\nFUZZ CHECK FAILED: %.*s\n  first:  \"%s\"\n  second: \"%s\"\n",
               static_cast<int>(property.size()), property.data(), Escaped(first).c_str(),
               Escaped(second).c_str());
  std::abort();
}

}  // namespace hosting::fuzz
