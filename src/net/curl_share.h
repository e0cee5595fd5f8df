#pragma once
// A libcurl share handle with one lock per kind of shared data, so that handles on different
// threads may use it at the same time.

#include <curl/curl.h>

#include <array>
#include <initializer_list>
#include <mutex>

namespace hosting::net {

class CurlShare {
 public:
  explicit CurlShare(std::initializer_list<curl_lock_data> kinds);
  ~CurlShare();
  CurlShare(const CurlShare&) = delete;
  CurlShare& operator=(const CurlShare&) = delete;

  CURLSH* get() const { return share_; }

 private:
  static void Lock(CURL* handle, curl_lock_data kind, curl_lock_access access, void* self);
  static void Unlock(CURL* handle, curl_lock_data kind, void* self);

  std::array<std::mutex, CURL_LOCK_DATA_LAST> locks_;
  CURLSH* share_;
};

// The shares of the process: `common` (DNS and TLS sessions) for every exchange, `cookieStore`
// (the same plus the process-wide cookie store) for exchanges that use that store.
struct TransportShares {
  CurlShare common{CURL_LOCK_DATA_DNS, CURL_LOCK_DATA_SSL_SESSION};
  CurlShare cookieStore{CURL_LOCK_DATA_COOKIE, CURL_LOCK_DATA_DNS, CURL_LOCK_DATA_SSL_SESSION};
};

// Initialises libcurl on first use and returns the process's shares.
TransportShares& Shares();

}  // namespace hosting::net
