#include "net/form_encoding.h"

#include "net/codec.h"

namespace hosting::net {
namespace {

// Every byte for which keep() is false becomes %XX with upper-case hex digits.
template <typename Keep>
std::string PercentEncode(std::string_view bytes, Keep keep) {
  constexpr std::string_view kHex = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 3);
  for (const char c : bytes) {
    const auto byte = static_cast<unsigned char>(c);
    if (keep(byte)) {
      out += c;
    } else {
      out += '%';
      out += kHex[byte >> 4];
      out += kHex[byte & 0x0F];
    }
  }
  return out;
}

}  // namespace

std::string FormValue(std::string_view utf8) {
  // None of these bytes can be the second byte of a GBK character, so encoding them never
  // splits one.
  return PercentEncode(Utf8ToGbk(utf8), [](unsigned char byte) {
    return byte >= 0x20 && byte != 0x7F && byte != '%' && byte != '&' && byte != '+' && byte != '=';
  });
}

std::string PercentEncodeUtf8(std::string_view utf8) {
  return PercentEncode(utf8, [](unsigned char byte) {
    return (byte >= '0' && byte <= '9') || (byte >= 'A' && byte <= 'Z') ||
           (byte >= 'a' && byte <= 'z') || byte == '-' || byte == '.';
  });
}

}  // namespace hosting::net
