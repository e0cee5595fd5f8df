#pragma once
// The route groups of the platform; each adds its paths to the router.

#include <string>
#include <string_view>

#include "sandbox/platform_context.h"
#include "sandbox/router.h"

namespace sandbox {

inline constexpr std::string_view kContext = "/custody/";

// "/custody/" + rest.
inline std::string PlatformPath(std::string_view rest) {
  return std::string(kContext) + std::string(rest);
}

// A router handler that calls handler(platform, req, res).
template <typename Handler>
Router::Handler WithPlatform(PlatformContext& platform, Handler handler) {
  return [&platform, handler](const httplib::Request& req, httplib::Response& res) {
    handler(platform, req, res);
  };
}

// Captcha, login, registration, password and payout account.
void AddAccountRoutes(Router& router, PlatformContext& platform);
// QR codes, hosted-account list, clearing offline accounts.
void AddHostingRoutes(Router& router, PlatformContext& platform);
// Settlements, withdrawal list, withdrawal.
void AddMoneyRoutes(Router& router, PlatformContext& platform);
// pageController.do?goLogin, ?index, ?tixian, ?baseinfo.
void AddPageRoutes(Router& router, PlatformContext& platform);
// The sandbox's own pages: scan page, admin page, avatars.
void AddSandboxRoutes(Router& router, PlatformContext& platform);

}  // namespace sandbox
