#pragma once
// The flows' surroundings around an in-process sandbox (or none), which tests may reach into.

#include <gtest/gtest.h>

#include <optional>

#include "flow_surroundings.h"
#include "support/test_sandbox.h"

namespace hosting::platform::testing {

class FlowTestBed : public FlowSurroundings {
 public:
  explicit FlowTestBed(std::optional<sandbox::SandboxConfig> sandbox = sandbox::SandboxConfig{}) {
    if (sandbox) {
      sandbox->threads = 8;
      context.endpoints = sandbox_.emplace(*sandbox).Endpoints();
    }
  }
  ~FlowTestBed() { Finish(); }  // before the sandbox goes

  std::int64_t LogInAs(const std::string& account, const std::string& password = "secret1") {
    const auto id = platform().members.Register(account, password, platform().Now());
    EXPECT_TRUE(id && LogIn(account, password)) << account << " could not log in";
    return id.value_or(0);
  }
  // `count` accounts hosted by `member` (codes scanned at once); the member's list.
  std::vector<sandbox::HostedAccount> HostAccounts(std::int64_t member, int count) {
    for (int i = 0; i < count; ++i) {
      EXPECT_TRUE(platform().hosting.OpenCode(member, platform().Now()));
      platform().hosting.ConfirmDue(member, 0, platform().Now());
    }
    return platform().hosting.List(member, 0, count);
  }
  sandbox::PlatformContext& platform() { return sandbox_->platform(); }

 private:
  std::optional<testing_support::TestSandbox> sandbox_;
};

}  // namespace hosting::platform::testing
