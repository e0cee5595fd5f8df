#pragma once
// Who may use the admin pages. On loopback they are open unless a token was set; anywhere else a
// token is required, and one is made up at start when none was given.

#include <httplib.h>

#include <string>
#include <string_view>

#include "sandbox/sandbox_config.h"

namespace sandbox {

// The header and the query parameter that carry the admin token.
inline constexpr const char* kAdminTokenHeader = "X-Admin-Token";
inline constexpr const char* kAdminTokenParam = "token";

// True for 127.0.0.0/8, ::1 (also v4-mapped loopback) and "localhost"; false for any other
// address or name, including the wildcard addresses.
bool IsLoopbackHost(std::string_view host);

// Gives config a random admin token when it listens beyond loopback without one. True when it
// made one up (the caller shows it once).
bool EnsureAdminToken(SandboxConfig& config);

// Characters allowed in a token: they travel in URLs and HTML attributes without escaping.
bool IsValidAdminToken(std::string_view token);

// True when no token is required or req carries it (header or query parameter). The comparison
// takes the same time wherever the texts differ.
bool AdminAllowed(std::string_view requiredToken, const httplib::Request& req);

}  // namespace sandbox
