#include "flow_test_bed.h"

#include <gtest/gtest.h>

#include "net/transport.h"
#include "platform/account_flows.h"
#include "platform/captcha_flows.h"
#include "platform/platform_requests.h"

namespace hosting::platform::testing {
namespace {

HostingTimings ShortTimings() {
  using std::chrono::milliseconds;
  HostingTimings timings;
  timings.retryWait = milliseconds(2);
  timings.retryGap = milliseconds(1);
  timings.pollInterval = milliseconds(5);
  timings.countdownTick = milliseconds(3);
  timings.pollGrace = milliseconds(1000);
  return timings;
}

std::optional<sandbox::SandboxConfig> FewThreads(std::optional<sandbox::SandboxConfig> config) {
  if (config)
    config->threads = 8;
  return config;
}

}  // namespace

FlowTestBed::FlowTestBed(std::optional<sandbox::SandboxConfig> sandbox)
    : sandbox_(FewThreads(std::move(sandbox))),
      context{.endpoints = sandbox_ ? sandbox_->Endpoints() : PlatformEndpoints{},
              .settingsFile = settingsFile,
              .sessionCookie = cookie,
              .runner = runner,
              .countdown = countdown,
              .timings = ShortTimings(),
              .clock = {},
              .shutdown = shutdown.get_token()} {
  net::InitTransport();
}

void FlowTestBed::Finish() {
  shutdown.request_stop();
  runner.JoinAll();
}

std::int64_t FlowTestBed::LogInAs(const std::string& account, const std::string& password) {
  const std::int64_t id = sandbox_->AddMember(account, password);
  OpenPlatformSession(context);
  FetchCaptcha(context, kLoginCaptchaLiteral);
  Recorder typed;
  RecordingLoginView login(typed);
  typed.Write("编辑框1", account);
  typed.Write("编辑框2", password);
  typed.Write("编辑框3", kCaptcha);
  Login(context, login);
  EXPECT_EQ(typed.CountOf("标签1 feedback"), 1) << "the test member could not log in";
  return id;
}

}  // namespace hosting::platform::testing
