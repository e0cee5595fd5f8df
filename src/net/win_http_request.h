#pragma once
// The WinHttp request engine: one blocking HTTP(S) exchange that returns the answer as text.
// Nothing survives between calls except what the caller passes by pointer.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "net/http_exchange.h"
#include "net/http_method.h"

namespace hosting::net {

// The numbered failure messages written into `status`.
inline constexpr std::string_view kMessageBadUrl = "701 解析URL地址失败!";
inline constexpr std::string_view kMessageSendFailed = "711 发送请求失败!";
inline constexpr std::string_view kMessageNoAnswer = "712 服务器未响应!";
inline constexpr std::string_view kMessageReadFailed = "713 读取数据失败!";

// Only `url` is required. Pointer members are the caller's variables, written in place; null
// means omitted. Texts are sent as the bytes they hold.
struct WinHttpParams {
  std::string url{};                  // "http://" or "https://"
  std::int32_t method = kMethodGet;   // method code, see http_method.h
  std::string body{};                 // sent with every method when not empty
  std::string* cookies = nullptr;     // in/out: sent as the Cookie line; merged afterwards.
                                      // Passed (even empty): the engine keeps no cookies itself
  std::string* cookiesOut = nullptr;  // out: cookies the answer set, or the merged text
  std::string headers{};              // extra lines, "\r\n"-separated
  std::string* headersOut = nullptr;  // out: the answer's raw header block
  bool noRedirect = false;
  std::string user{};  // Basic credentials at the server (used when both are set)
  std::string password{};
  std::string proxy{};  // host:port; empty: direct
  std::string proxyUser{};
  std::string proxyPassword{};
  std::int32_t timeoutSeconds = 0;       // per phase; 0 or less: 30 s
  std::string* location = nullptr;       // out: the answer's Location value, if any
  std::string* status = nullptr;         // out: "200 OK", or a numbered failure message
  std::string* responseBytes = nullptr;  // out: the body exactly as received
  std::optional<bool> mergeCookies{};    // omitted: true
};

struct WinHttpOutcome {
  std::string text{};
  bool cookiesMerged = false;  // the answer's cookies were merged into *cookies
};

// The exchange the engine performs for these parameters; nullopt when the URL cannot be split.
std::optional<HttpExchange> MakeWinHttpExchange(const WinHttpParams& params);

// The answer body as text: up to its first NUL, decoded from a charset that an HTML page
// declares. "" on failure, with the message in `status` and every other output untouched; a body
// that breaks off part-way gives message 713 and the text read so far, other outputs written.
WinHttpOutcome WinHttpExchange(const WinHttpParams& params);
std::string WinHttpRequest(const WinHttpParams& params);

}  // namespace hosting::net
