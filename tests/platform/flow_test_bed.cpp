#include "flow_test_bed.h"

#include <gtest/gtest.h>

#include "net/transport.h"
#include "platform/account_flows.h"
#include "platform/captcha_flows.h"
#include "platform/platform_requests.h"

namespace hosting::platform::testing {
using namespace std::chrono_literals;

FlowTestBed::FlowTestBed(std::optional<sandbox::SandboxConfig> sandbox)
    : sandbox_([&sandbox] {
        if (sandbox)
          sandbox->threads = 8;
        return std::move(sandbox);
      }()),
      context{.endpoints = sandbox_ ? sandbox_->Endpoints() : PlatformEndpoints{},
              .settingsFile = settingsFile,
              .sessionCookie = cookie,
              .runner = runner,
              .countdown = countdown,
              .hostedList = hostedList,
              .timings = {.retryWait = 2ms,
                          .retryGap = 1ms,
                          .pollInterval = 5ms,
                          .countdownTick = 3ms,
                          .pollGrace = 1000ms},
              .clock = {},
              .shutdown = shutdown.get_token()} {
  net::InitTransport();
}

std::int64_t FlowTestBed::LogInAs(const std::string& account, const std::string& password) {
  const auto id = platform().members.Register(account, password, platform().Now());
  OpenPlatformSession(context);
  FetchCaptcha(context, kLoginCaptchaLiteral);
  Recorder typed;
  RecordingLoginView login(typed);
  for (const auto& [box, text] :
       {std::pair{"编辑框1", account}, {"编辑框2", password}, {"编辑框3", kCaptcha}})
    typed.Write(box, text);
  Login(context, login);
  EXPECT_TRUE(id && typed.CountOf("标签1 feedback") == 1) << account << " could not log in";
  return id.value_or(0);
}

std::vector<sandbox::HostedAccount> FlowTestBed::HostAccounts(std::int64_t member, int count) {
  for (int i = 0; i < count; ++i) {
    EXPECT_TRUE(platform().hosting.OpenCode(member, platform().Now()));
    platform().hosting.ConfirmDue(member, 0, platform().Now());
  }
  return platform().hosting.List(member, 0, count);
}

}  // namespace hosting::platform::testing
