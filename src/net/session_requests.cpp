#include "net/session_requests.h"

#include <utility>

namespace hosting::net {

namespace {

template <typename Params, typename Engine>
auto WithSession(Params& params, SessionCookie& session, Engine engine) {
  std::string jar = session.Read();
  params.cookies = &jar;
  auto outcome = engine(params);
  if (outcome.cookiesMerged) {
    session.Replace(std::move(jar));
  }
  return outcome;
}

}  // namespace

std::string WinHttpWithSession(WinHttpParams params, SessionCookie& session) {
  return WithSession(params, session, &WinHttpExchange).text;
}

std::string WinInetWithSession(WinInetParams params, SessionCookie& session) {
  return WithSession(params, session, &WinInetExchange).bytes;
}

}  // namespace hosting::net
