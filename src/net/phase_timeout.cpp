#include <algorithm>
#include <limits>

#include "net/http_exchange.h"

namespace hosting::net {

long PhaseTimeoutMs(std::int32_t seconds) {
  constexpr long kDefaultTimeoutMs = 30000;
  if (seconds <= 0) {
    return kDefaultTimeoutMs;
  }
  return static_cast<long>(
      std::min<long long>(seconds * 1000LL, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace hosting::net
