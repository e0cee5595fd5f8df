#include "sandbox/password_hash.h"

#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <charconv>
#include <stdexcept>
#include <vector>

#include "sandbox/random_text.h"

namespace sandbox {

namespace {

constexpr std::string_view kScheme = "pbkdf2-sha256";
constexpr int kIterations = 20000;
constexpr std::size_t kSaltBytes = 16;
constexpr std::size_t kHashBytes = 32;

std::string Derive(std::string_view password, std::string_view salt, int iterations) {
  std::vector<unsigned char> out(kHashBytes);
  if (PKCS5_PBKDF2_HMAC(password.data(), static_cast<int>(password.size()),
                        reinterpret_cast<const unsigned char*>(salt.data()),
                        static_cast<int>(salt.size()), iterations, EVP_sha256(),
                        static_cast<int>(out.size()), out.data()) != 1) {
    throw std::runtime_error("password hashing failed");
  }
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string hex;
  for (const unsigned char byte : out) {
    hex += kDigits[byte >> 4];
    hex += kDigits[byte & 0x0F];
  }
  return hex;
}

std::vector<std::string_view> SplitDollar(std::string_view text) {
  std::vector<std::string_view> parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = text.find('$', start);
    parts.push_back(text.substr(start, end - start));
    if (end == std::string_view::npos) {
      return parts;
    }
    start = end + 1;
  }
}

}  // namespace

std::string HashPassword(std::string_view password) {
  const std::string salt = RandomHex(kSaltBytes);
  return std::string(kScheme) + "$" + std::to_string(kIterations) + "$" + salt + "$" +
         Derive(password, salt, kIterations);
}

bool VerifyPassword(std::string_view password, std::string_view stored) {
  const auto parts = SplitDollar(stored);
  if (parts.size() != 4 || parts[0] != kScheme || parts[3].size() != kHashBytes * 2) {
    return false;
  }
  int iterations = 0;
  const auto [end, ec] =
      std::from_chars(parts[1].data(), parts[1].data() + parts[1].size(), iterations);
  if (ec != std::errc{} || end != parts[1].data() + parts[1].size() || iterations < 1 ||
      iterations > 10 * kIterations) {
    return false;
  }
  const std::string expected = Derive(password, parts[2], iterations);
  return CRYPTO_memcmp(expected.data(), parts[3].data(), expected.size()) == 0;
}

}  // namespace sandbox
