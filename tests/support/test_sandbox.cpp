#include "support/test_sandbox.h"

#include <gtest/gtest.h>

#include "net/win_http_request.h"

namespace hosting::testing_support {
namespace {

sandbox::SandboxConfig ForTests(sandbox::SandboxConfig config) {
  config.db = ":memory:";
  config.port = 0;
  config.versionPort = 0;
  config.fixedCaptcha = kCaptcha;
  config.keepAliveSeconds = 1;
  return config;
}

}  // namespace

TestSandbox::TestSandbox(sandbox::SandboxConfig config) : server_(ForTests(std::move(config))) {
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

std::int64_t TestSandbox::AddMember(const std::string& account, const std::string& password) {
  const auto id = platform().members.Register(account, password, platform().Now());
  EXPECT_TRUE(id) << "the sandbox refused the member " << account;
  return id.value_or(0);
}

}  // namespace hosting::testing_support
