#include "fuzz_support.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace hosting::fuzz {

Fields Pieces(std::string_view text, std::string_view separator, std::size_t limit) {
  Fields pieces;
  for (std::size_t at; pieces.size() + 1 < limit && (at = text.find(separator)) != text.npos;) {
    pieces.push_back(text.substr(0, at));
    text.remove_prefix(at + separator.size());
  }
  pieces.push_back(text);
  return pieces;
}

bool IsUtf8(std::string_view text) {
  for (std::size_t at = 0, length = 1; at < text.size(); at += length) {
    const auto byte = [&](std::size_t i) {
      return at + i < text.size() ? static_cast<unsigned char>(text[at + i]) : 0u;
    };
    const unsigned lead = byte(0);
    length = lead < 0x80 ? 1 : lead < 0xC2 || lead > 0xF4 ? 0 : 2 + (lead >= 0xE0) + (lead >= 0xF0);
    // The second byte's bounds keep out overlongs, surrogates and code points past U+10FFFF.
    const unsigned low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    const unsigned high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    for (std::size_t i = 1; i < length; ++i)
      length = byte(i) < (i == 1 ? low : 0x80) || byte(i) > (i == 1 ? high : 0xBF) ? 0 : length;
    if (length == 0)
      return false;
  }
  return true;
}

void Require(bool holds, std::string_view property) {
  if (holds)
    return;
  // libFuzzer keeps the input and the replay names it: the property is enough to go on.
  std::fprintf(stderr, "\nFUZZ CHECK FAILED: %.*s\n", static_cast<int>(property.size()),
               property.data());
  std::abort();
}

}  // namespace hosting::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace hosting::fuzz;
  Fields fields = Pieces({reinterpret_cast<const char*>(data), size}, {"\0", 1}, kFieldCount);
  fields.resize(kFieldCount);
  Fuzz(fields);
  return 0;
}
