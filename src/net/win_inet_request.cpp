#include "net/win_inet_request.h"

#include "net/cookie_jar.h"
#include "net/http_exchange.h"
#include "net/request_headers.h"
#include "net/url_target.h"

namespace hosting::net {

namespace {

// What the header query leaves in a buffer of kRawHeaderBufferBytes blanks.
std::string RawHeaderBuffer(std::string_view headerBlock) {
  const std::string_view block = headerBlock.substr(0, headerBlock.find('\0'));
  if (block.empty() || block.size() >= kRawHeaderBufferBytes) {
    return std::string(kRawHeaderBufferBytes, ' ');
  }
  return std::string(block);
}

}  // namespace

WinInetOutcome WinInetExchange(const WinInetParams& params) {
  const std::int32_t method = NormalizeMethod(params.method);
  auto target = SplitWinInetUrl(params.url);
  if (!target) {
    return {};
  }
  std::string ownHeaders;
  std::string ownRawBody;
  std::string& headers = params.headers != nullptr ? *params.headers : ownHeaders;
  std::string& rawBody = params.rawBody != nullptr ? *params.rawBody : ownRawBody;

  HttpExchange exchange;
  exchange.verb = MethodVerb(method);
  exchange.target = std::move(*target);
  exchange.userAgent = WinInetUserAgent(headers);
  CompleteWinInetHeaders(headers, params.url, method, params.cookies);
  exchange.headerLines = HeaderLines(headers);
  if (method != kMethodGet) {
    if (rawBody.empty()) {
      rawBody = params.body;
    }
    exchange.body = rawBody;
  }
  exchange.proxy = params.proxy;
  exchange.timeoutMs = PhaseTimeoutMs(params.timeoutSeconds);
  exchange.followRedirects = !params.noRedirect;
  exchange.cookies = params.cookies != nullptr ? CookieStore::kNone : CookieStore::kProcess;

  HttpAnswer answer = PerformExchange(exchange, SystemApi::kWinInet);
  const std::string headersOut = RawHeaderBuffer(answer.headerBlock);
  std::string cookies = ExtractSetCookies(headersOut);
  const bool merge = params.mergeCookies.value_or(true) && params.cookies != nullptr;
  if (merge) {
    cookies = MergeCookies(*params.cookies, cookies);
  }
  if (params.headersOut != nullptr) {
    *params.headersOut = headersOut;
  }
  if (params.cookiesOut != nullptr) {
    *params.cookiesOut = cookies;
  }
  return {std::move(answer.body), merge};
}

std::string WinInetRequest(const WinInetParams& params) {
  return WinInetExchange(params).bytes;
}

}  // namespace hosting::net
