#pragma once
// The addresses the flows talk to. The program fixes them at build time and tests point them at an
// in-process sandbox; flows receive them, nothing reads them from globals.

#include <string>
#include <string_view>

namespace hosting::platform {

struct PlatformEndpoints {
  std::string platformBaseUrl;    // scheme and host[:port], e.g. "http://127.0.0.1:18080"
  std::string versionServiceUrl;  // base of the version service, e.g. "http://127.0.0.1:18081"
  std::string updatePackageUrl;   // the update package the status bar click opens

  // platformBaseUrl + "/custody/" + path (one slash between, whatever the base ends with).
  std::string PlatformUrl(std::string_view path) const;
  // versionServiceUrl + "/api/".
  std::string VersionApiUrl() const;
};

}  // namespace hosting::platform
