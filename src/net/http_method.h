#pragma once
// Method codes of the request engines: 0 GET, 1 POST, 2 HEAD, 3 PUT, 4 OPTIONS, 5 DELETE,
// 6 TRACE, 7 CONNECT; any other code means GET.

#include <cstdint>
#include <string_view>

namespace hosting::net {

inline constexpr std::int32_t kMethodGet = 0;
inline constexpr std::int32_t kMethodPost = 1;
inline constexpr std::int32_t kMethodHead = 2;

// The code itself for 0..7, kMethodGet otherwise.
std::int32_t NormalizeMethod(std::int32_t code);
// "GET", "POST", ... for the code (after normalising).
std::string_view MethodVerb(std::int32_t code);

}  // namespace hosting::net
