// The Windows transport: each engine over its own system API.
#include "net/native_exchanges.h"
#include "net/transport.h"

namespace hosting::net {

void InitTransport() {
  // WinHTTP and WinINet set themselves up on first use; WinINet keeps the process-wide cookie
  // store itself.
}

HttpAnswer PerformExchange(const HttpExchange& exchange, SystemApi api) {
  return api == SystemApi::kWinHttp ? PerformWinHttpExchange(exchange)
                                    : PerformWinInetExchange(exchange);
}

}  // namespace hosting::net
