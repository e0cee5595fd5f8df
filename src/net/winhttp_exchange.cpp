// The WinHttp engine's exchange over WinHTTP: open, connect, open the request, time-outs, proxy
// and credentials, the cookie and redirect options, header lines, send, receive, query, read.
#include <windows.h>
#include <winhttp.h>

#include <memory>
#include <optional>

#include "net/native_exchanges.h"

namespace hosting::net {

namespace {

struct HandleCloser {
  void operator()(void* handle) const { WinHttpCloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

// Texts WinHTTP takes as UTF-16; the bytes are read in `page`.
std::wstring Widen(std::string_view text, UINT page = CP_UTF8) {
  if (text.empty()) {
    return {};
  }
  const int length = static_cast<int>(text.size());
  const int units = MultiByteToWideChar(page, 0, text.data(), length, nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(std::max(units, 0)), L'\0');
  MultiByteToWideChar(page, 0, text.data(), length, wide.data(), units);
  return wide;
}

std::string Narrow(std::wstring_view wide, UINT page) {
  if (wide.empty()) {
    return {};
  }
  const int units = static_cast<int>(wide.size());
  const int size = WideCharToMultiByte(page, 0, wide.data(), units, nullptr, 0, nullptr, nullptr);
  std::string text(static_cast<std::size_t>(std::max(size, 0)), '\0');
  WideCharToMultiByte(page, 0, wide.data(), units, text.data(), size, nullptr, nullptr);
  return text;
}

// Header bytes travel as Latin-1 both ways, so every byte of a line arrives as it was given.
constexpr UINT kHeaderPage = 28591;

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string joined;
  for (const auto& line : lines) {
    joined += line + "\r\n";
  }
  return joined;
}

void SetOption(HINTERNET handle, DWORD option, DWORD value) {
  WinHttpSetOption(handle, option, &value, sizeof value);
}

void ApplyOptions(HINTERNET request, const HttpExchange& exchange) {
  if (exchange.cookies == CookieStore::kNone) {
    SetOption(request, WINHTTP_OPTION_DISABLE_FEATURE, WINHTTP_DISABLE_COOKIES);
  }
  SetOption(request, WINHTTP_OPTION_REDIRECT_POLICY,
            exchange.followRedirects ? WINHTTP_OPTION_REDIRECT_POLICY_DISALLOW_HTTPS_TO_HTTP
                                     : WINHTTP_OPTION_REDIRECT_POLICY_NEVER);
  if (!exchange.user.empty() && !exchange.password.empty()) {
    WinHttpSetCredentials(request, WINHTTP_AUTH_TARGET_SERVER, WINHTTP_AUTH_SCHEME_BASIC,
                          Widen(exchange.user).c_str(), Widen(exchange.password).c_str(), nullptr);
  }
  if (!exchange.proxyUser.empty() && !exchange.proxyPassword.empty()) {
    WinHttpSetCredentials(request, WINHTTP_AUTH_TARGET_PROXY, WINHTTP_AUTH_SCHEME_BASIC,
                          Widen(exchange.proxyUser).c_str(), Widen(exchange.proxyPassword).c_str(),
                          nullptr);
  }
}

std::string RawHeaders(HINTERNET request) {
  DWORD size = 0;
  WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX,
                      WINHTTP_NO_OUTPUT_BUFFER, &size, WINHTTP_NO_HEADER_INDEX);
  std::wstring wide(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(wide.size() * sizeof(wchar_t));
  if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_RAW_HEADERS_CRLF, WINHTTP_HEADER_NAME_BY_INDEX,
                           wide.data(), &size, WINHTTP_NO_HEADER_INDEX)) {
    return {};
  }
  wide.resize(size / sizeof(wchar_t));
  return Narrow(wide, kHeaderPage);
}

// Reads the body to its end; false when it broke off or outgrew the limit.
bool ReadBody(HINTERNET request, std::string& body) {
  for (;;) {
    DWORD available = 0;
    if (!WinHttpQueryDataAvailable(request, &available)) {
      return false;
    }
    if (available == 0) {
      return true;
    }
    if (body.size() + available > kMaxAnswerBodyBytes) {
      return false;
    }
    const std::size_t at = body.size();
    body.resize(at + available);
    DWORD read = 0;
    if (!WinHttpReadData(request, body.data() + at, available, &read)) {
      body.resize(at);
      return false;
    }
    body.resize(at + read);
  }
}

// The length the answer announced, if any (a HEAD answer announces one without a body).
std::optional<DWORD> AnnouncedLength(HINTERNET request, const HttpExchange& exchange) {
  DWORD length = 0;
  DWORD size = sizeof length;
  if (exchange.verb == "HEAD" ||
      !WinHttpQueryHeaders(request, WINHTTP_QUERY_CONTENT_LENGTH | WINHTTP_QUERY_FLAG_NUMBER,
                           WINHTTP_HEADER_NAME_BY_INDEX, &length, &size, WINHTTP_NO_HEADER_INDEX)) {
    return std::nullopt;
  }
  return length;
}

}  // namespace

HttpAnswer PerformWinHttpExchange(const HttpExchange& exchange) {
  const std::wstring proxy = Widen(exchange.proxy);
  const Handle session(WinHttpOpen(
      Widen(exchange.userAgent).c_str(),
      proxy.empty() ? WINHTTP_ACCESS_TYPE_NO_PROXY : WINHTTP_ACCESS_TYPE_NAMED_PROXY,
      proxy.empty() ? WINHTTP_NO_PROXY_NAME : proxy.c_str(), WINHTTP_NO_PROXY_BYPASS, 0));
  if (!session) {
    return {TransferFailure::kNotSent, {}, {}};
  }
  const int timeout = static_cast<int>(exchange.timeoutMs);
  WinHttpSetTimeouts(session.get(), timeout, timeout, timeout, timeout);
  const Handle connection(WinHttpConnect(session.get(), Widen(exchange.target.host).c_str(),
                                         static_cast<INTERNET_PORT>(exchange.target.port), 0));
  if (!connection) {
    return {TransferFailure::kBadUrl, {}, {}};
  }
  const Handle request(WinHttpOpenRequest(connection.get(), Widen(exchange.verb).c_str(),
                                          Widen(exchange.target.object, kHeaderPage).c_str(),
                                          nullptr, WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                          exchange.target.secure ? WINHTTP_FLAG_SECURE : 0));
  if (!request) {
    return {TransferFailure::kBadUrl, {}, {}};
  }
  // The wait for the answer head has a time-out of its own (90 s unless set).
  SetOption(request.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, static_cast<DWORD>(timeout));
  ApplyOptions(request.get(), exchange);
  const std::wstring lines = Widen(JoinLines(exchange.headerLines), kHeaderPage);
  if (!lines.empty()) {
    WinHttpAddRequestHeaders(request.get(), lines.c_str(), static_cast<DWORD>(lines.size()),
                             WINHTTP_ADDREQ_FLAG_ADD);
  }
  std::string body = exchange.body.value_or(std::string());
  const auto bodySize = static_cast<DWORD>(body.size());
  if (!WinHttpSendRequest(request.get(), WINHTTP_NO_ADDITIONAL_HEADERS, 0,
                          body.empty() ? WINHTTP_NO_REQUEST_DATA : body.data(), bodySize, bodySize,
                          0)) {
    return {TransferFailure::kNotSent, {}, {}};
  }
  if (!WinHttpReceiveResponse(request.get(), nullptr)) {
    return {TransferFailure::kNoAnswer, {}, {}};
  }
  return CollectAnswer(request.get(), exchange, RawHeaders, AnnouncedLength, ReadBody);
}

}  // namespace hosting::net
