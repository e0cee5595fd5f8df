#pragma once
// libcurl, opened on its first use rather than by the program loader. The library and the two
// dozen it pulls in (TLS, Kerberos, LDAP, ...) take about 20 ms to load and relocate; opened by the
// first request, that work runs on a worker after the first window is up instead of before it.

#include <curl/curl.h>

namespace hosting::net {

struct CurlLibrary {
  decltype(&::curl_easy_init) easyInit = nullptr;
  decltype(&::curl_easy_cleanup) easyCleanup = nullptr;
  decltype(&::curl_easy_reset) easyReset = nullptr;
  decltype(&::curl_easy_setopt) easySetopt = nullptr;
  decltype(&::curl_easy_perform) easyPerform = nullptr;
  decltype(&::curl_slist_append) slistAppend = nullptr;
  decltype(&::curl_slist_free_all) slistFreeAll = nullptr;
  decltype(&::curl_share_init) shareInit = nullptr;
  decltype(&::curl_share_setopt) shareSetopt = nullptr;
  decltype(&::curl_share_cleanup) shareCleanup = nullptr;
};

// The process's libcurl, opened and globally initialised by the first call (on any thread: this
// build of libcurl initialises thread-safely); nullptr when it cannot be opened, for good.
const CurlLibrary* Curl();

}  // namespace hosting::net
