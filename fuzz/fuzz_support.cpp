#include "fuzz_support.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace hosting::fuzz {

Fields Pieces(std::string_view text, std::string_view separator, std::size_t limit) {
  Fields pieces;
  for (std::size_t at = 0; pieces.size() < limit && at != text.npos;
       text.remove_prefix(at + separator.size())) {
    at = text.find(separator);
    pieces.push_back(text.substr(0, at));
  }
  return pieces;
}

bool IsUtf8(std::string_view text) {
  for (std::size_t at = 0; at < text.size();) {
    const auto byte = [&](std::size_t i) {
      return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0u;
    };
    const unsigned lead = byte(0);
    const std::size_t length = lead < 0x80                  ? 1
                               : lead < 0xC2 || lead > 0xF4 ? 0
                                                            : 2 + (lead >= 0xE0) + (lead >= 0xF0);
    if (length == 0) {
      return false;
    }
    // The second byte's bounds keep out overlongs, surrogates and code points past U+10FFFF.
    const unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    for (std::size_t i = 1; i < length; ++i) {
      if (byte(i) < (i == 1 ? low : 0x80) || byte(i) > (i == 1 ? high : 0xBF)) {
        return false;
      }
    }
    at += length;
  }
  return true;
}

void Require(bool holds, std::string_view property, std::string_view first,
             std::string_view second) {
  if (holds) {
    return;
  }
  std::fprintf(stderr, "\nFUZZ CHECK FAILED: %.*s\n", static_cast<int>(property.size()),
               property.data());
  for (const std::string_view text : {first, second}) {  // escaped and cut at 400 bytes
    std::fputs("  \"", stderr);
    for (const char c : text.substr(0, 400)) {
      const auto b = static_cast<unsigned char>(c);
      std::fprintf(stderr, b >= 0x20 && b < 0x7F && b != '\\' ? "%c" : "\\x%02X", b);
    }
    std::fprintf(stderr, "\" (%zu bytes)\n", text.size());
  }
  std::abort();
}

}  // namespace hosting::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  hosting::fuzz::Fields fields;
  for (std::size_t nul;
       fields.size() + 1 < hosting::fuzz::kFieldCount && (nul = text.find('\0')) != text.npos;) {
    fields.push_back(text.substr(0, nul));
    text.remove_prefix(nul + 1);
  }
  fields.push_back(text);
  fields.resize(hosting::fuzz::kFieldCount);
  hosting::fuzz::Fuzz(fields);
  return 0;
}
