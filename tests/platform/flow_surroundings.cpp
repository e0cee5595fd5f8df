#include "flow_surroundings.h"

#include "net/transport.h"
#include "platform/account_flows.h"
#include "platform/captcha_flows.h"
#include "platform/platform_requests.h"

namespace hosting::platform::testing {
using namespace std::chrono_literals;

FlowSurroundings::FlowSurroundings(PlatformEndpoints endpoints)
    : context{.endpoints = std::move(endpoints),
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

bool FlowSurroundings::LogIn(const std::string& account, const std::string& password) {
  OpenPlatformSession(context);
  FetchCaptcha(context, kLoginCaptchaLiteral);
  Recorder typed;
  RecordingLoginView login(typed);
  for (const auto& [box, text] :
       {std::pair{"编辑框1", account}, {"编辑框2", password}, {"编辑框3", kCaptcha}})
    typed.Write(box, text);
  Login(context, login);
  return typed.CountOf("标签1 feedback") == 1;
}

}  // namespace hosting::platform::testing
