#pragma once
// The WinINet request engine: one blocking HTTP(S) exchange that returns the answer body as
// bytes. Requests made without `cookies` use the process-wide cookie store of the engine.

#include <cstdint>
#include <optional>
#include <string>

#include "net/http_method.h"

namespace hosting::net {

// The header block buffer: an answer head of this size or more is not read.
inline constexpr std::size_t kRawHeaderBufferBytes = 5000;

// Only `url` is required. Pointer members are the caller's variables, written in place; null
// means omitted.
struct WinInetParams {
  std::string url{};
  std::int32_t method = kMethodGet;   // method code; outside 0..7: GET
  std::string body{};                 // sent when `rawBody` is empty
  std::string* cookies = nullptr;     // in/out: sent as the Cookie line; merged afterwards.
                                      // Passed (even empty): the store is neither read nor filled
  std::string* cookiesOut = nullptr;  // out: cookies the answer set, or the merged text
  std::string* headers = nullptr;     // in/out: extra lines; the default lines are appended to it
  std::string* headersOut = nullptr;  // out: the raw header block, or 5,000 blanks when the
                                      // answer head is missing or does not fit the buffer
  bool noRedirect = false;
  std::string* rawBody = nullptr;      // in/out: body bytes; filled from `body` when empty
  std::string proxy{};                 // host:port; empty: direct
  std::optional<bool> mergeCookies{};  // omitted: true
  std::int32_t timeoutSeconds = 0;     // per phase; 0 or less: 30 s
};

struct WinInetOutcome {
  std::string bytes{};
  bool cookiesMerged = false;  // the answer's cookies were merged into *cookies
};

// The answer body (also of an HTTP error status; what came before a failed read). Empty, with
// every output untouched, when the URL names nothing to connect to.
WinInetOutcome WinInetExchange(const WinInetParams& params);
std::string WinInetRequest(const WinInetParams& params);

}  // namespace hosting::net
