#include "net/http_exchange.h"

#include <curl/curl.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string_view>

#include "net/ascii_text.h"
#include "net/curl_library.h"
#include "net/curl_share.h"

namespace hosting::net {

namespace {

using Clock = std::chrono::steady_clock;

// What the callbacks collect during one exchange. A new request (a followed redirect) starts
// them afresh, so they describe the final answer.
struct Collected {
  bool requestSent = false;
  bool headersComplete = false;
  std::string headers;
  std::string body;
};

// When a byte last moved either way. No movement for the whole time-out ends the exchange, as a
// per-wait time-out does. (libcurl's low-speed limit averages over several seconds, so a request
// whose body went out just before a silence lasted several seconds longer.)
struct Watchdog {
  std::chrono::milliseconds timeout;
  Clock::time_point lastMove = Clock::now();
  curl_off_t sent = 0;
  curl_off_t received = 0;

  void Moved() { lastMove = Clock::now(); }
};

struct Transfer {
  Collected collected;
  Watchdog watchdog;
};

std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* user) {
  auto& transfer = *static_cast<Transfer*>(user);
  transfer.watchdog.Moved();
  auto& collected = transfer.collected;
  const std::string_view line(data, size * count);
  if (line.starts_with("HTTP/")) {
    collected.headers.clear();
    collected.headersComplete = false;
  }
  if (collected.headers.size() + line.size() > kMaxAnswerHeaderBytes) {
    return 0;
  }
  collected.headers += line;
  collected.headersComplete = collected.headersComplete || line == "\r\n" || line == "\n";
  return line.size();
}

std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user) {
  auto& transfer = *static_cast<Transfer*>(user);
  transfer.watchdog.Moved();
  auto& collected = transfer.collected;
  const std::size_t bytes = size * count;
  if (collected.body.size() + bytes > kMaxAnswerBodyBytes) {
    return 0;
  }
  collected.body.append(data, bytes);
  return bytes;
}

int OnRequestStart(void* user, char*, char*, int, int) {
  auto& transfer = *static_cast<Transfer*>(user);
  transfer.collected = Collected{};
  transfer.collected.requestSent = true;
  transfer.watchdog.Moved();
  return CURL_PREREQFUNC_OK;
}

// Non-zero aborts the transfer: nothing has moved for the whole time-out.
int OnProgress(void* user, curl_off_t, curl_off_t received, curl_off_t, curl_off_t sent) {
  auto& watchdog = static_cast<Transfer*>(user)->watchdog;
  if (received != watchdog.received || sent != watchdog.sent) {
    watchdog.received = received;
    watchdog.sent = sent;
    watchdog.Moved();
    return 0;
  }
  return Clock::now() - watchdog.lastMove > watchdog.timeout ? 1 : 0;
}

template <typename Value>
void SetOption(CURL* handle, CURLoption option, Value value) {
  Curl()->easySetopt(handle, option, value);
}

// Made only once libcurl is open.
struct EasyHandle {
  CURL* handle = Curl()->easyInit();
  EasyHandle() = default;
  EasyHandle(const EasyHandle&) = delete;
  EasyHandle& operator=(const EasyHandle&) = delete;
  ~EasyHandle() { Curl()->easyCleanup(handle); }
};

// The calling thread's handle, reset to defaults; it keeps its open connections between calls.
CURL* ThreadHandle() {
  thread_local EasyHandle easy;
  if (easy.handle != nullptr) {
    Curl()->easyReset(easy.handle);
  }
  return easy.handle;
}

struct SlistFree {
  void operator()(curl_slist* list) const { Curl()->slistFreeAll(list); }
};
using HeaderList = std::unique_ptr<curl_slist, SlistFree>;

bool HasHeader(const std::vector<std::string>& lines, std::string_view name) {
  return std::any_of(lines.begin(), lines.end(), [&](const std::string& line) {
    return StartsWithIgnoreCase(line, name) && line.size() > name.size() &&
           line[name.size()] == ':';
  });
}

// The caller's lines in their order; an empty "Name:" entry keeps libcurl from adding a line of
// its own that the engines do not send.
HeaderList BuildHeaderList(const std::vector<std::string>& lines) {
  HeaderList list;
  const auto append = [&list](const std::string& line) {
    if (curl_slist* grown = Curl()->slistAppend(list.get(), line.c_str()); grown != nullptr) {
      static_cast<void>(list.release());
      list.reset(grown);
    }
  };
  for (const auto& line : lines) {
    append(line);
  }
  for (const std::string name : {"Accept", "Content-Type", "Expect"}) {
    if (!HasHeader(lines, name)) {
      append(name + ":");
    }
  }
  return list;
}

void SetMethodAndBody(CURL* curl, const HttpExchange& exchange) {
  if (exchange.verb == "HEAD") {
    SetOption(curl, CURLOPT_NOBODY, 1L);
    return;
  }
  if (exchange.verb != "POST" && (exchange.verb != "GET" || exchange.body)) {
    SetOption(curl, CURLOPT_CUSTOMREQUEST, exchange.verb.c_str());
  }
  if (exchange.body || exchange.verb == "POST") {
    const std::string_view body = exchange.body ? *exchange.body : std::string_view();
    SetOption(curl, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    SetOption(curl, CURLOPT_POSTFIELDS, body.data());
  }
}

void SetCredentials(CURL* curl, const HttpExchange& exchange) {
  if (!exchange.user.empty() && !exchange.password.empty()) {
    SetOption(curl, CURLOPT_HTTPAUTH, static_cast<long>(CURLAUTH_BASIC));
    SetOption(curl, CURLOPT_USERNAME, exchange.user.c_str());
    SetOption(curl, CURLOPT_PASSWORD, exchange.password.c_str());
  }
  if (!exchange.proxyUser.empty() && !exchange.proxyPassword.empty()) {
    SetOption(curl, CURLOPT_PROXYAUTH, static_cast<long>(CURLAUTH_BASIC));
    SetOption(curl, CURLOPT_PROXYUSERNAME, exchange.proxyUser.c_str());
    SetOption(curl, CURLOPT_PROXYPASSWORD, exchange.proxyPassword.c_str());
  }
}

void SetConnection(CURL* curl, const HttpExchange& exchange, const std::string& proxyUrl) {
  SetOption(curl, CURLOPT_NOSIGNAL, 1L);
  SetOption(curl, CURLOPT_PROTOCOLS_STR, "http,https");
  SetOption(curl, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  SetOption(curl, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  SetOption(curl, CURLOPT_PATH_AS_IS, 1L);
  SetOption(curl, CURLOPT_FOLLOWLOCATION, exchange.followRedirects ? 1L : 0L);
  SetOption(curl, CURLOPT_MAXREDIRS, 10L);
  // An empty proxy also keeps the proxy variables of the environment out.
  SetOption(curl, CURLOPT_PROXY, proxyUrl.c_str());
  SetOption(curl, CURLOPT_NOPROXY, "");
  SetOption(curl, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
  SetOption(curl, CURLOPT_CONNECTTIMEOUT_MS, exchange.timeoutMs);
}

void SetCallbacks(CURL* curl, Transfer& transfer) {
  SetOption(curl, CURLOPT_HEADERFUNCTION, &OnHeader);
  SetOption(curl, CURLOPT_HEADERDATA, &transfer);
  SetOption(curl, CURLOPT_WRITEFUNCTION, &OnBody);
  SetOption(curl, CURLOPT_WRITEDATA, &transfer);
  SetOption(curl, CURLOPT_PREREQFUNCTION, &OnRequestStart);
  SetOption(curl, CURLOPT_PREREQDATA, &transfer);
  SetOption(curl, CURLOPT_XFERINFOFUNCTION, &OnProgress);
  SetOption(curl, CURLOPT_XFERINFODATA, &transfer);
  SetOption(curl, CURLOPT_NOPROGRESS, 0L);
}

bool IsRedirect(std::string_view headers) {
  return headers.size() > 9 && headers[9] == '3';
}

TransferFailure Classify(CURLcode code, const Collected& collected, bool followRedirects) {
  switch (code) {
    case CURLE_OK:
      return TransferFailure::kNone;
    case CURLE_URL_MALFORMAT:
    case CURLE_UNSUPPORTED_PROTOCOL:
      if (!collected.requestSent) {
        return TransferFailure::kBadUrl;
      }
      break;
    case CURLE_COULDNT_RESOLVE_PROXY:
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_CONNECT:
    case CURLE_SEND_ERROR:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
      return TransferFailure::kNotSent;
    default:
      break;
  }
  if (collected.headersComplete && !(followRedirects && IsRedirect(collected.headers))) {
    return TransferFailure::kBodyBroken;
  }
  return collected.requestSent ? TransferFailure::kNoAnswer : TransferFailure::kNotSent;
}

}  // namespace

HttpAnswer PerformExchange(const HttpExchange& exchange, SystemApi /*api*/) {
  if (Curl() == nullptr) {
    return {TransferFailure::kNotSent, {}, {}};
  }
  TransportShares& shares = Shares();
  CURL* curl = ThreadHandle();
  if (curl == nullptr) {
    return {TransferFailure::kNotSent, {}, {}};
  }
  const std::string url = TransportUrl(exchange.target);
  const std::string proxyUrl = exchange.proxy.empty() ? "" : "http://" + exchange.proxy;
  const HeaderList headers = BuildHeaderList(exchange.headerLines);
  Transfer transfer{.collected = {},
                    .watchdog = {.timeout = std::chrono::milliseconds(exchange.timeoutMs)}};
  const Collected& collected = transfer.collected;

  SetOption(curl, CURLOPT_URL, url.c_str());
  SetOption(curl, CURLOPT_HTTPHEADER, headers.get());
  if (!exchange.userAgent.empty()) {
    SetOption(curl, CURLOPT_USERAGENT, exchange.userAgent.c_str());
  }
  SetMethodAndBody(curl, exchange);
  SetCredentials(curl, exchange);
  SetConnection(curl, exchange, proxyUrl);
  SetCallbacks(curl, transfer);

  // Cookies kept by the transport live only in a share; attaching a share without them leaves
  // the handle with none, whatever an earlier call on this thread did.
  std::unique_ptr<CurlShare> callStore;
  CURLSH* share = shares.common.get();
  if (exchange.cookies == CookieStore::kProcess) {
    share = shares.cookieStore.get();
  } else if (exchange.cookies == CookieStore::kCall) {
    // Every share holds the TLS sessions: attaching one that does replaces (and would leak) a
    // session cache the handle had made for itself.
    callStore = std::make_unique<CurlShare>(
        std::initializer_list<curl_lock_data>{CURL_LOCK_DATA_COOKIE, CURL_LOCK_DATA_SSL_SESSION});
    share = callStore->get();
  }
  SetOption(curl, CURLOPT_SHARE, share);
  if (exchange.cookies != CookieStore::kNone) {
    SetOption(curl, CURLOPT_COOKIEFILE, "");
  }

  const CURLcode code = Curl()->easyPerform(curl);
  // A reset would drop the cookie-file list without freeing it; clearing it frees it and leaves
  // the cookies themselves to their share.
  SetOption(curl, CURLOPT_COOKIEFILE, static_cast<const char*>(nullptr));
  SetOption(curl, CURLOPT_SHARE, static_cast<CURLSH*>(nullptr));
  return {Classify(code, collected, exchange.followRedirects),
          std::move(transfer.collected.headers), std::move(transfer.collected.body)};
}

}  // namespace hosting::net
