#include "sandbox/platform_context.h"

#include <chrono>

#include "sandbox/answers.h"
#include "sandbox/cookie_header.h"
#include "sandbox/schema.h"

namespace sandbox {

namespace {

SandboxConfig WithClock(SandboxConfig config) {
  if (!config.clock) {
    config.clock = [] {
      return std::chrono::duration_cast<std::chrono::milliseconds>(
                 std::chrono::system_clock::now().time_since_epoch())
          .count();
    };
  }
  return config;
}

}  // namespace

PlatformContext::PlatformContext(SandboxConfig config)
    : db(config.db),
      sessions(WithClock(config).clock),
      members(db),
      hosting(db),
      ledger(db),
      config_(WithClock(std::move(config))),
      boundPort_(config_.port),
      qrFailuresLeft_(config_.failQr) {
  CreateSchema(db);
}

std::string PlatformContext::PublicUrl() const {
  if (!config_.publicUrl.empty()) {
    std::string url = config_.publicUrl;
    while (url.ends_with('/')) {
      url.pop_back();
    }
    return url;
  }
  return "http://127.0.0.1:" + std::to_string(boundPort_);
}

std::string PlatformContext::SessionOf(const httplib::Request& req, httplib::Response& res) {
  for (const auto& id : CookieValues(req.get_header_value("Cookie"), kSessionCookie)) {
    if (sessions.Touch(id)) {
      return id;
    }
  }
  std::string id = sessions.Create();
  res.set_header("Set-Cookie",
                 std::string(kSessionCookie) + "=" + id + "; Path=/custody; HttpOnly");
  return id;
}

std::optional<std::int64_t> PlatformContext::RequireMember(const httplib::Request& req,
                                                           httplib::Response& res) {
  const auto member = sessions.MemberOf(SessionOf(req, res));
  if (!member) {
    SendJson(res, Envelope(false, "请先登录"));
  }
  return member;
}

bool PlatformContext::RequireCaptcha(std::string_view session, std::string_view code,
                                     httplib::Response& res) {
  if (sessions.CaptchaMatches(session, code)) {
    return true;
  }
  SendJson(res, Envelope(false, "验证码错误！"));
  return false;
}

bool PlatformContext::TakeQrFailure() {
  int left = qrFailuresLeft_.load();
  while (left > 0) {
    if (qrFailuresLeft_.compare_exchange_weak(left, left - 1)) {
      return true;
    }
  }
  return false;
}

}  // namespace sandbox
