#include "sandbox/random_text.h"

#include <openssl/rand.h>

#include <stdexcept>
#include <vector>

namespace sandbox {

namespace {

std::vector<unsigned char> RandomBytes(std::size_t count) {
  std::vector<unsigned char> bytes(count);
  if (count > 0 && RAND_bytes(bytes.data(), static_cast<int>(count)) != 1) {
    throw std::runtime_error("random generator failed");
  }
  return bytes;
}

}  // namespace

std::string RandomHex(std::size_t count) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(count * 2);
  for (const unsigned char byte : RandomBytes(count)) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0x0F];
  }
  return text;
}

std::string RandomDigitText(std::size_t count) {
  std::string text;
  text.reserve(count);
  // 250 is the largest multiple of 10 below 256: rejecting bytes above it keeps digits uniform.
  while (text.size() < count) {
    for (const unsigned char byte : RandomBytes(count)) {
      if (byte < 250 && text.size() < count) {
        text += static_cast<char>('0' + byte % 10);
      }
    }
  }
  return text;
}

std::uint64_t RandomNumber() {
  std::uint64_t value = 0;
  for (const unsigned char byte : RandomBytes(sizeof value)) {
    value = (value << 8) | byte;
  }
  return value;
}

}  // namespace sandbox
