#pragma once
// Windows: the exchange over each system HTTP API (one translation unit each, since winhttp.h
// and wininet.h cannot be included together).

#include "net/http_exchange.h"

namespace hosting::net {

HttpAnswer PerformWinHttpExchange(const HttpExchange& exchange);
HttpAnswer PerformWinInetExchange(const HttpExchange& exchange);

}  // namespace hosting::net
