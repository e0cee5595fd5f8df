#include "sandbox/admin_access.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <openssl/crypto.h>
#include <openssl/sha.h>

#include <algorithm>
#include <array>

#include "sandbox/random_text.h"

namespace sandbox {

namespace {

constexpr std::size_t kMaxTokenBytes = 128;
constexpr std::size_t kGeneratedTokenBytes = 16;

using Digest = std::array<unsigned char, SHA256_DIGEST_LENGTH>;

Digest DigestOf(std::string_view text) {
  Digest digest{};
  SHA256(reinterpret_cast<const unsigned char*>(text.data()), text.size(), digest.data());
  return digest;
}

// Comparing digests of equal length keeps both the length and the first differing byte of the
// token from showing in the time an answer takes.
bool SameToken(std::string_view given, std::string_view expected) {
  const Digest a = DigestOf(given);
  const Digest b = DigestOf(expected);
  return CRYPTO_memcmp(a.data(), b.data(), a.size()) == 0;
}

}  // namespace

bool IsLoopbackHost(std::string_view host) {
  if (host == "localhost") {
    return true;
  }
  const std::string text(
      host.starts_with('[') && host.ends_with(']') ? host.substr(1, host.size() - 2) : host);
  in_addr v4{};
  if (inet_pton(AF_INET, text.c_str(), &v4) == 1) {
    return (ntohl(v4.s_addr) >> 24) == 127;
  }
  in6_addr v6{};
  if (inet_pton(AF_INET6, text.c_str(), &v6) == 1) {
    if (IN6_IS_ADDR_V4MAPPED(&v6)) {
      return v6.s6_addr[12] == 127;
    }
    return IN6_IS_ADDR_LOOPBACK(&v6);
  }
  return false;
}

bool EnsureAdminToken(SandboxConfig& config) {
  if (!config.adminToken.empty() || IsLoopbackHost(config.listenHost)) {
    return false;
  }
  config.adminToken = RandomHex(kGeneratedTokenBytes);
  return true;
}

bool IsValidAdminToken(std::string_view token) {
  return !token.empty() && token.size() <= kMaxTokenBytes &&
         std::all_of(token.begin(), token.end(), [](char c) {
           return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') ||
                  c == '-' || c == '_' || c == '.' || c == '~';
         });
}

bool AdminAllowed(std::string_view requiredToken, const httplib::Request& req) {
  if (requiredToken.empty()) {
    return true;
  }
  const std::string given = req.has_header(kAdminTokenHeader)
                                ? req.get_header_value(kAdminTokenHeader)
                                : req.get_param_value(kAdminTokenParam);
  return SameToken(given, requiredToken);
}

}  // namespace sandbox
