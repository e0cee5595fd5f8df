#include "net/win_http_request.h"

#include "net/answer_text.h"
#include "net/ascii_text.h"
#include "net/cookie_jar.h"
#include "net/request_headers.h"
#include "net/url_target.h"

namespace hosting::net {

namespace {

void Write(std::string* target, std::string_view value) {
  if (target != nullptr) {
    target->assign(value);
  }
}

WinHttpOutcome Failed(const WinHttpParams& params, std::string_view message) {
  Write(params.status, message);
  return {};
}

// The status line from its 10th byte (after "HTTP/1.1 ") to its end: "200 OK".
std::string_view StatusText(std::string_view headerBlock) {
  if (headerBlock.size() < 9) {
    return {};
  }
  const std::string_view rest = headerBlock.substr(9);
  return rest.substr(0, rest.find("\r\n"));
}

std::optional<std::string> LastLocation(std::string_view headerBlock) {
  constexpr std::string_view kKey = "Location: ";
  std::optional<std::string> location;
  for (const auto& line : HeaderLines(headerBlock)) {
    if (StartsWithIgnoreCase(line, kKey)) {
      location = line.substr(kKey.size());
    }
  }
  return location;
}

}  // namespace

std::optional<HttpExchange> MakeWinHttpExchange(const WinHttpParams& params) {
  auto target = SplitWinHttpUrl(params.url);
  if (!target) {
    return std::nullopt;
  }
  HttpExchange exchange;
  exchange.verb = MethodVerb(params.method);
  exchange.target = std::move(*target);
  exchange.headerLines =
      HeaderLines(WinHttpHeaderBlock(params.headers, params.method, params.cookies));
  if (!params.body.empty() || exchange.verb != "GET") {
    exchange.body = params.body;
  }
  exchange.proxy = params.proxy;
  exchange.user = params.user;
  exchange.password = params.password;
  exchange.proxyUser = params.proxyUser;
  exchange.proxyPassword = params.proxyPassword;
  exchange.timeoutMs = PhaseTimeoutMs(params.timeoutSeconds);
  exchange.followRedirects = !params.noRedirect;
  exchange.cookies = params.cookies != nullptr ? CookieStore::kNone : CookieStore::kCall;
  return exchange;
}

WinHttpOutcome WinHttpExchange(const WinHttpParams& params) {
  const auto exchange = MakeWinHttpExchange(params);
  if (!exchange) {
    return Failed(params, kMessageBadUrl);
  }
  HttpAnswer answer = PerformExchange(*exchange, SystemApi::kWinHttp);
  switch (answer.failure) {
    case TransferFailure::kBadUrl:
      return Failed(params, kMessageBadUrl);
    case TransferFailure::kNotSent:
      return Failed(params, kMessageSendFailed);
    case TransferFailure::kNoAnswer:
      return Failed(params, kMessageNoAnswer);
    case TransferFailure::kNone:
    case TransferFailure::kBodyBroken:
      break;
  }
  const std::string_view block = answer.headerBlock;
  Write(params.headersOut, block);
  Write(params.status,
        answer.failure == TransferFailure::kBodyBroken ? kMessageReadFailed : StatusText(block));
  if (const auto location = LastLocation(block)) {
    Write(params.location, *location);
  }
  std::string cookies = ExtractSetCookies(block);
  const bool merge = params.mergeCookies.value_or(true) && params.cookies != nullptr;
  if (merge) {
    cookies = MergeCookies(*params.cookies, cookies);
  }
  Write(params.cookiesOut, cookies);
  Write(params.responseBytes, answer.body);
  return {AnswerText(answer.body), merge};
}

std::string WinHttpRequest(const WinHttpParams& params) {
  return WinHttpExchange(params).text;
}

}  // namespace hosting::net
