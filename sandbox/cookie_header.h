#pragma once
// Reading a request's Cookie header ("a=1; b=2").

#include <string>
#include <string_view>
#include <vector>

namespace sandbox {

// Every value of the cookie called name, in header order (a client may send a name twice, for
// instance a stale value beside a fresh one). Blanks around names and values are ignored.
std::vector<std::string> CookieValues(std::string_view header, std::string_view name);

}  // namespace sandbox
