#include "net/curl_library.h"

#include <dlfcn.h>

#include <optional>

namespace hosting::net {
namespace {

// The run-time name of libcurl 7.16 and later, whichever TLS library it was built with.
constexpr char kLibraryName[] = "libcurl.so.4";

template <typename Function>
bool Resolve(void* library, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(library, name));
  return function != nullptr;
}

// Never closed: handles and shares live until the process ends.
std::optional<CurlLibrary> Open() {
  void* library = dlopen(kLibraryName, RTLD_NOW | RTLD_LOCAL);
  if (library == nullptr) {
    return std::nullopt;
  }
  CurlLibrary curl;
  decltype(&::curl_global_init) globalInit = nullptr;
  const bool complete = Resolve(library, "curl_global_init", globalInit) &&
                        Resolve(library, "curl_easy_init", curl.easyInit) &&
                        Resolve(library, "curl_easy_cleanup", curl.easyCleanup) &&
                        Resolve(library, "curl_easy_reset", curl.easyReset) &&
                        Resolve(library, "curl_easy_setopt", curl.easySetopt) &&
                        Resolve(library, "curl_easy_perform", curl.easyPerform) &&
                        Resolve(library, "curl_slist_append", curl.slistAppend) &&
                        Resolve(library, "curl_slist_free_all", curl.slistFreeAll) &&
                        Resolve(library, "curl_share_init", curl.shareInit) &&
                        Resolve(library, "curl_share_setopt", curl.shareSetopt) &&
                        Resolve(library, "curl_share_cleanup", curl.shareCleanup);
  if (!complete || globalInit(CURL_GLOBAL_DEFAULT) != CURLE_OK) {
    return std::nullopt;
  }
  return curl;
}

}  // namespace

const CurlLibrary* Curl() {
  static const std::optional<CurlLibrary> curl = Open();
  return curl ? &*curl : nullptr;
}

}  // namespace hosting::net
