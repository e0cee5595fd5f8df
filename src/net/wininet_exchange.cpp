// The WinINet engine's exchange over WinINet: open (agent and proxy), time-outs, connect, open the
// request with its cookie and redirect flags, header lines, send, query the raw head, read. The
// ANSI functions carry the bytes as they are.
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <memory>
#include <optional>

#include "net/ascii_text.h"
#include "net/native_exchanges.h"

namespace hosting::net {

namespace {

struct HandleCloser {
  void operator()(void* handle) const { InternetCloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

void SetTimeouts(HINTERNET session, long timeoutMs) {
  DWORD value = static_cast<DWORD>(timeoutMs);
  for (const DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                             INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    InternetSetOptionA(session, option, &value, sizeof value);
  }
}

DWORD RequestFlags(const HttpExchange& exchange) {
  DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_UI |
                INTERNET_FLAG_KEEP_CONNECTION;
  if (exchange.target.secure) {
    flags |= INTERNET_FLAG_SECURE;
  }
  if (exchange.cookies == CookieStore::kNone) {
    flags |= INTERNET_FLAG_NO_COOKIES;
  }
  if (!exchange.followRedirects) {
    flags |= INTERNET_FLAG_NO_AUTO_REDIRECT;
  }
  return flags;
}

std::string RawHeaders(HINTERNET request) {
  DWORD size = 0;
  HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, nullptr, &size, nullptr);
  std::string block(size + 1, '\0');
  size = static_cast<DWORD>(block.size());
  if (!HttpQueryInfoA(request, HTTP_QUERY_RAW_HEADERS_CRLF, block.data(), &size, nullptr)) {
    return {};
  }
  block.resize(size);
  return block;
}

// Reads the body to its end; false when it broke off or outgrew the limit.
bool ReadBody(HINTERNET request, std::string& body) {
  constexpr DWORD kChunk = 16 * 1024;
  for (;;) {
    if (body.size() > kMaxAnswerBodyBytes) {
      return false;
    }
    const std::size_t at = body.size();
    body.resize(at + kChunk);
    DWORD read = 0;
    const bool ok = InternetReadFile(request, body.data() + at, kChunk, &read);
    body.resize(at + read);
    if (!ok) {
      return false;
    }
    if (read == 0) {
      return true;
    }
  }
}

// The caller's lines, led by the agent's own line when none of them names one (as the other
// transport sends it: first, after Host).
std::string JoinLines(const HttpExchange& exchange) {
  std::string joined;
  const bool named = std::any_of(
      exchange.headerLines.begin(), exchange.headerLines.end(),
      [](const std::string& line) { return StartsWithIgnoreCase(line, "User-Agent:"); });
  if (!named && !exchange.userAgent.empty()) {
    joined = "User-Agent: " + exchange.userAgent + "\r\n";
  }
  for (const auto& line : exchange.headerLines) {
    joined += line + "\r\n";
  }
  return joined;
}

// The length the answer announced, if any (a HEAD answer announces one without a body).
std::optional<DWORD> AnnouncedLength(HINTERNET request, const HttpExchange& exchange) {
  DWORD length = 0;
  DWORD size = sizeof length;
  if (exchange.verb == "HEAD" ||
      !HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &length, &size,
                      nullptr)) {
    return std::nullopt;
  }
  return length;
}

}  // namespace

HttpAnswer PerformWinInetExchange(const HttpExchange& exchange) {
  const Handle session(
      InternetOpenA(exchange.userAgent.c_str(),
                    exchange.proxy.empty() ? INTERNET_OPEN_TYPE_DIRECT : INTERNET_OPEN_TYPE_PROXY,
                    exchange.proxy.empty() ? nullptr : exchange.proxy.c_str(), nullptr, 0));
  if (!session) {
    return {TransferFailure::kNotSent, {}, {}};
  }
  SetTimeouts(session.get(), exchange.timeoutMs);
  const Handle connection(InternetConnectA(session.get(), exchange.target.host.c_str(),
                                           static_cast<INTERNET_PORT>(exchange.target.port),
                                           nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!connection) {
    return {TransferFailure::kBadUrl, {}, {}};
  }
  const Handle request(HttpOpenRequestA(connection.get(), exchange.verb.c_str(),
                                        exchange.target.object.c_str(), "HTTP/1.1", nullptr,
                                        nullptr, RequestFlags(exchange), 0));
  if (!request) {
    return {TransferFailure::kBadUrl, {}, {}};
  }
  // Set on the request as well: a request handle does not take the session's receive time-out.
  SetTimeouts(request.get(), exchange.timeoutMs);
  const std::string lines = JoinLines(exchange);
  if (!lines.empty()) {
    HttpAddRequestHeadersA(request.get(), lines.c_str(), static_cast<DWORD>(lines.size()),
                           HTTP_ADDREQ_FLAG_ADD | HTTP_ADDREQ_FLAG_REPLACE);
  }
  std::string body = exchange.body.value_or(std::string());
  if (!HttpSendRequestA(request.get(), nullptr, 0, body.empty() ? nullptr : body.data(),
                        static_cast<DWORD>(body.size()))) {
    return {TransferFailure::kNotSent, {}, {}};
  }
  return CollectAnswer(request.get(), exchange, RawHeaders, AnnouncedLength, ReadBody);
}

}  // namespace hosting::net
