#include "net/http_method.h"

#include <array>

namespace hosting::net {

namespace {
constexpr std::array<std::string_view, 8> kVerbs = {"GET",     "POST",   "HEAD",  "PUT",
                                                    "OPTIONS", "DELETE", "TRACE", "CONNECT"};
}  // namespace

std::int32_t NormalizeMethod(std::int32_t code) {
  return code >= 0 && code < static_cast<std::int32_t>(kVerbs.size()) ? code : kMethodGet;
}

std::string_view MethodVerb(std::int32_t code) {
  return kVerbs[static_cast<std::size_t>(NormalizeMethod(code))];
}

}  // namespace hosting::net
