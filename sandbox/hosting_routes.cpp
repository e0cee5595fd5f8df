#include <algorithm>
#include <string>

#include "sandbox/answers.h"
#include "sandbox/form_body.h"
#include "sandbox/platform_time.h"
#include "sandbox/routes.h"

namespace sandbox {

namespace {

constexpr std::int64_t kMaxPageSize = 100;

enum LoginType : int { kWaitingForScan = 0, kLoggedIn = 1, kExpired = 2 };

std::string ScanUrl(const PlatformContext& platform, const HostedAccount& code) {
  return platform.PublicUrl() + PlatformPath("sandbox/scan?code=") + code.token;
}

std::string AvatarUrl(const PlatformContext& platform, std::int64_t id) {
  return platform.PublicUrl() + PlatformPath("sandbox/avatar/") + std::to_string(id) + ".bmp";
}

nlohmann::json CodeAnswer(const PlatformContext& platform, const HostedAccount& code) {
  int loginType = kWaitingForScan;
  if (code.state != HostedState::kWaiting) {
    loginType = kLoggedIn;
  } else if (code.expiresMs <= platform.Now()) {
    loginType = kExpired;
  }
  return Envelope(
      loginType != kExpired, loginType == kExpired ? "二维码已失效" : "获取成功",
      {{"id", code.id}, {"login_qrcode", ScanUrl(platform, code)}, {"loginType", loginType}});
}

void ConfirmDueCodes(PlatformContext& platform, std::int64_t member) {
  if (platform.config().autoScanSeconds >= 0) {
    platform.hosting.ConfirmDue(member, std::int64_t{platform.config().autoScanSeconds} * 1000,
                                platform.Now());
  }
}

void QrCode(PlatformContext& platform, const httplib::Request& req, httplib::Response& res) {
  if (platform.TakeQrFailure()) {
    res.status = 503;  // an empty answer: the client sees no "msg" and asks again
    return;
  }
  const auto member = platform.RequireMember(req, res);
  if (!member) {
    return;
  }
  const auto form = FormFields::Parse(req.body);
  const auto id = ParseId(form.Raw("xiaohao_id").value_or(""));
  if (form.Raw("action").value_or("") != "qrcode" || !id) {
    SendJson(res, Envelope(false, "参数错误"));
    return;
  }
  ConfirmDueCodes(platform, *member);
  if (*id == 0) {
    const auto code = platform.hosting.OpenCode(*member, platform.Now());
    if (!code) {
      SendJson(res, Envelope(false, "待扫描的二维码过多，请稍后再试"));
      return;
    }
    SendJson(res, CodeAnswer(platform, *code));
    return;
  }
  const auto code = platform.hosting.Find(*member, *id);
  if (!code) {
    SendJson(res, Envelope(false, "二维码不存在"));
    return;
  }
  SendJson(res, CodeAnswer(platform, *code));
}

void ListAccounts(PlatformContext& platform, const httplib::Request& req, httplib::Response& res) {
  const auto member = platform.RequireMember(req, res);
  if (!member) {
    return;
  }
  const auto form = FormFields::Parse(req.body);
  const Paging paging = PagingOf(form, 50, kMaxPageSize);
  ConfirmDueCodes(platform, *member);
  // The list is a bare array, not the envelope.
  nlohmann::json list = nlohmann::json::array();
  for (const auto& account : platform.hosting.List(*member, paging.offset, paging.limit)) {
    list.push_back({{"id", account.id},
                    {"wxid", account.wxid},
                    {"nickname", account.nickname},
                    {"headimg", AvatarUrl(platform, account.id)},
                    {"is_stop", account.state == HostedState::kOnline ? 0 : 1},
                    {"login_time", account.loginMs}});
  }
  SendJson(res, list);
}

void ClearOffline(PlatformContext& platform, const httplib::Request& req, httplib::Response& res) {
  const auto member = platform.RequireMember(req, res);
  if (!member) {
    return;
  }
  const int removed = platform.hosting.ClearOffline(*member, platform.Now());
  SendJson(res, Envelope(true, "清除成功", {{"count", removed}}));
}

}  // namespace

void AddHostingRoutes(Router& router, PlatformContext& platform) {
  router.Add(PlatformPath("userapi/weixin/code.do"), {"POST"}, WithPlatform(platform, QrCode));
  router.Add(PlatformPath("userapi/weixin/list.do"), {"POST"},
             WithPlatform(platform, ListAccounts));
  router.Add(PlatformPath("userapi/weixin/clearwx.do"), {"GET"},
             WithPlatform(platform, ClearOffline));
}

}  // namespace sandbox
