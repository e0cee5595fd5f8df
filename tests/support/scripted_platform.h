#pragma once
// A stand-in platform for answers the sandbox never gives: every request gets what the script
// gives for its target. On the transport tests' raw peer, so a hung connection ends with it.

#include <functional>
#include <string_view>

#include "net/raw_http_server.h"

namespace hosting::testing_support {

class ScriptedPlatform {
 public:
  using Script = std::function<net::testing::Reply(std::string_view target)>;
  // `refused`: nothing listens where BaseUrl points.
  explicit ScriptedPlatform(Script script, bool refused = false)
      : script_(std::move(script)),
        server_([this](const std::string& request) {
          const std::size_t start = request.find(' ') + 1;
          return script_(std::string_view(request).substr(start, request.find(' ', start) - start));
        }),
        baseUrl_(refused ? net::testing::ClosedUrl() : server_.Url("")) {}

  std::string BaseUrl() const { return baseUrl_; }
  std::string Url(std::string_view path) const { return baseUrl_ + std::string(path); }

 private:
  Script script_;
  net::testing::RawHttpServer server_;
  std::string baseUrl_;
};

}  // namespace hosting::testing_support
