#include "support/test_sandbox.h"

#include "net/win_http_request.h"

namespace hosting::testing_support {

TestSandbox::TestSandbox(sandbox::SandboxConfig config)
    : server_([&] {
        config.db = ":memory:";
        config.port = config.versionPort = 0;
        config.fixedCaptcha = kCaptcha;
        config.keepAliveSeconds = 1;
        return config;
      }()) {
  server_.Start();
}

// The stop waits out the keep-alive hold of every open connection: this thread's own (kept by its
// transport handle) are closed first, by asking for that on each port.
TestSandbox::~TestSandbox() {
  for (const std::string& url : {server_.BaseUrl(), server_.VersionBaseUrl()})
    net::WinHttpRequest({.url = url + "/", .headers = "Connection: close"});
  server_.Stop();
}

platform::PlatformEndpoints TestSandbox::Endpoints() const {
  return {server_.BaseUrl(), server_.VersionBaseUrl(),
          server_.VersionBaseUrl() + "/download/hosting-client-update.zip"};
}

}  // namespace hosting::testing_support
