#include "net/curl_share.h"

#include "net/curl_library.h"
#include "net/transport.h"

namespace hosting::net {

CurlShare::CurlShare(std::initializer_list<curl_lock_data> kinds)
    : share_(Curl() != nullptr ? Curl()->shareInit() : nullptr) {
  if (share_ == nullptr) {
    return;
  }
  Curl()->shareSetopt(share_, CURLSHOPT_LOCKFUNC, &CurlShare::Lock);
  Curl()->shareSetopt(share_, CURLSHOPT_UNLOCKFUNC, &CurlShare::Unlock);
  Curl()->shareSetopt(share_, CURLSHOPT_USERDATA, this);
  for (const curl_lock_data kind : kinds) {
    Curl()->shareSetopt(share_, CURLSHOPT_SHARE, kind);
  }
}

CurlShare::~CurlShare() {
  if (share_ != nullptr) {
    Curl()->shareCleanup(share_);
  }
}

void CurlShare::Lock(CURL*, curl_lock_data kind, curl_lock_access, void* self) {
  static_cast<CurlShare*>(self)->locks_.at(static_cast<std::size_t>(kind)).lock();
}

void CurlShare::Unlock(CURL*, curl_lock_data kind, void* self) {
  static_cast<CurlShare*>(self)->locks_.at(static_cast<std::size_t>(kind)).unlock();
}

TransportShares& Shares() {
  // Never destroyed: a detached worker may still be in a request while the process exits.
  static TransportShares& shares = *new TransportShares;
  return shares;
}

void InitTransport() {
  Shares();
}

}  // namespace hosting::net
