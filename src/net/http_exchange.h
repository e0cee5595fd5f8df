#pragma once
// One HTTP/1.1 exchange as both engines describe it: exactly the given header lines in their order
// (plus the transport's own Host, Content-Length and connection lines), and the final answer's raw
// header block and body. Linux runs it over libcurl (on the calling thread's reusable handle),
// Windows over the system API of the engine that asks.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "net/url_target.h"

namespace hosting::net {

// Which cookies the transport itself keeps for this exchange.
enum class CookieStore {
  kNone,     // none: the caller sends its own Cookie line
  kProcess,  // the process-wide store shared by every thread
  kCall,     // a store of this exchange only (cookies set on a redirect are sent on)
};

struct HttpExchange {
  std::string verb = "GET";
  UrlTarget target{};
  std::vector<std::string> headerLines{};
  std::optional<std::string> body;  // sent with any verb when set
  std::string userAgent{};          // sent when no header line names an agent
  std::string proxy{};              // host:port, empty: direct
  std::string user{};
  std::string password{};  // Basic credentials, used when both are set
  std::string proxyUser{};
  std::string proxyPassword{};
  long timeoutMs = 30000;  // for connecting, and for each wait for data
  bool followRedirects = true;
  CookieStore cookies = CookieStore::kNone;
};

enum class TransferFailure {
  kNone,
  kBadUrl,      // the transport could not use the URL
  kNotSent,     // no connection, or the request could not be sent
  kNoAnswer,    // the request went out but no complete answer head came back
  kBodyBroken,  // the answer head came, the body broke off (what came is kept)
};

struct HttpAnswer {
  TransferFailure failure = TransferFailure::kNone;
  std::string headerBlock{};  // status line and header lines, each ending "\r\n", then "\r\n"
  std::string body{};
};

// Answers beyond these sizes are cut off as broken rather than exhausting memory.
inline constexpr std::size_t kMaxAnswerHeaderBytes = std::size_t{1} << 20;
inline constexpr std::size_t kMaxAnswerBodyBytes = std::size_t{64} << 20;

// The engines' time-out for each phase: `seconds` when positive, else 30 s.
long PhaseTimeoutMs(std::int32_t seconds);

// The system API that carries an engine's exchanges on Windows; Linux carries both over libcurl.
enum class SystemApi { kWinHttp, kWinInet };

HttpAnswer PerformExchange(const HttpExchange& exchange, SystemApi api);

}  // namespace hosting::net
