#include "platform/platform_endpoints.h"

namespace hosting::platform {
namespace {

std::string JoinUrl(std::string_view base, std::string_view tail) {
  while (!base.empty() && base.back() == '/') {
    base.remove_suffix(1);
  }
  std::string url(base);
  url += tail;
  return url;
}

}  // namespace

std::string PlatformEndpoints::PlatformUrl(std::string_view path) const {
  return JoinUrl(platformBaseUrl, "/custody/") + std::string(path);
}

std::string PlatformEndpoints::VersionApiUrl() const {
  return JoinUrl(versionServiceUrl, "/api/");
}

}  // namespace hosting::platform
