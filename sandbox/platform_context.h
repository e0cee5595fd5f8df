#pragma once
// What the route handlers of one sandbox share: its options, the database and the stores.

#include <httplib.h>

#include <atomic>
#include <cstdint>
#include <optional>
#include <string>

#include "sandbox/database.h"
#include "sandbox/hosting_store.h"
#include "sandbox/ledger_store.h"
#include "sandbox/member_store.h"
#include "sandbox/sandbox_config.h"
#include "sandbox/session_store.h"

namespace sandbox {

inline constexpr const char* kSessionCookie = "JSESSIONID";

class PlatformContext {
 public:
  // Opens the database and creates what is missing of its schema. Throws when it cannot.
  explicit PlatformContext(SandboxConfig config);

  const SandboxConfig& config() const { return config_; }
  std::int64_t Now() const { return config_.clock(); }
  // Set once the platform port is bound (0 in the options means "any free port").
  void SetBoundPort(int port) { boundPort_ = port; }
  int boundPort() const { return boundPort_; }
  // The address that phones and the client use for QR texts and avatars.
  std::string PublicUrl() const;

  // The request's session: the first JSESSIONID cookie that names a live session, otherwise a
  // new session announced with Set-Cookie.
  std::string SessionOf(const httplib::Request& req, httplib::Response& res);
  // The logged-in member of the request, or nullopt after answering the refusal itself.
  std::optional<std::int64_t> RequireMember(const httplib::Request& req, httplib::Response& res);
  // True when code is the session's captcha; otherwise answers "验证码错误！" itself.
  bool RequireCaptcha(std::string_view session, std::string_view code, httplib::Response& res);
  // Takes one of the --fail-qr failures, if any are left.
  bool TakeQrFailure();

  Database db;
  SessionStore sessions;
  MemberStore members;
  HostingStore hosting;
  LedgerStore ledger;

 private:
  SandboxConfig config_;
  std::atomic<int> boundPort_{0};
  std::atomic<int> qrFailuresLeft_{0};
};

}  // namespace sandbox
