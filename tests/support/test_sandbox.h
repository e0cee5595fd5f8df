#pragma once
// An in-process platform-sandbox for tests: in memory, on free loopback ports, every captcha
// kCaptcha, and a short keep-alive hold so that a stop never waits long for an idle connection.

#include "platform/platform_endpoints.h"
#include "sandbox/platform_server.h"
#include "support/test_captcha.h"

namespace hosting::testing_support {

class TestSandbox {
 public:
  explicit TestSandbox(sandbox::SandboxConfig config = {});
  ~TestSandbox();
  sandbox::PlatformServer& server() { return server_; }
  sandbox::PlatformContext& platform() { return server_.context(); }
  platform::PlatformEndpoints Endpoints() const;

 private:
  sandbox::PlatformServer server_;
};

}  // namespace hosting::testing_support
