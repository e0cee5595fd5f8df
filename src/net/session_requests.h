#pragma once
// Platform requests that carry the session cookie: the engine is given a copy of it read at the
// start, and the merged text replaces it at the end (only when the answer's cookies were merged;
// a failed request leaves it alone). The `cookies` member of the parameters is not used.

#include <string>

#include "net/session_cookie.h"
#include "net/win_http_request.h"
#include "net/win_inet_request.h"

namespace hosting::net {

std::string WinHttpWithSession(WinHttpParams params,
                               SessionCookie& session = SessionCookie::Global());
std::string WinInetWithSession(WinInetParams params,
                               SessionCookie& session = SessionCookie::Global());

}  // namespace hosting::net
