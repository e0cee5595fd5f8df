#pragma once
// Salted password hashes (PBKDF2-HMAC-SHA256 from OpenSSL's libcrypto).

#include <string>
#include <string_view>

namespace sandbox {

// "pbkdf2-sha256$<iterations>$<salt hex>$<hash hex>" with a fresh random salt.
std::string HashPassword(std::string_view password);
// True when password matches a text made by HashPassword; false for any malformed text.
bool VerifyPassword(std::string_view password, std::string_view stored);

}  // namespace sandbox
