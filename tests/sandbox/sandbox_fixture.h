#pragma once
// A sandbox on free loopback ports with an in-memory database and a clock the test moves, and
// a tiny browser that keeps the session cookie between requests.

#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <memory>
#include <nlohmann/json.hpp>
#include <string>

#include "sandbox/platform_server.h"

namespace sandbox::testing {

class Browser {
 public:
  explicit Browser(PlatformServer& server);

  httplib::Result Get(const std::string& path);
  httplib::Result Post(const std::string& path, const std::string& body);
  // The answer body parsed as JSON (null when it is not JSON).
  nlohmann::json PostJson(const std::string& path, const std::string& body);
  nlohmann::json GetJson(const std::string& path);

  // Loads a captcha picture and returns the code the session now holds (read from the store).
  std::string FetchCaptcha();
  // Registers (when asked) and logs in; the returned answers' "msg" must be checked by callers.
  nlohmann::json Register(const std::string& account, const std::string& password);
  nlohmann::json Login(const std::string& account, const std::string& password);

  const std::string& sessionId() const { return sessionId_; }

 private:
  void Remember(const httplib::Result& result);
  httplib::Headers CookieHeader() const;

  PlatformServer& server_;
  httplib::Client client_;
  std::string sessionId_;
};

class SandboxTest : public ::testing::Test {
 protected:
  static constexpr std::int64_t kStartMs = 1'700'000'000'000;  // 2023-11-14 22:13:20 UTC

  void SetUp() override;
  void TearDown() override;
  // Extra settings before the server is made; called by SetUp.
  virtual void Configure(SandboxConfig&) {}

  PlatformServer& server() { return *server_; }
  PlatformContext& platform() { return server_->context(); }
  void Advance(std::int64_t ms) { now_ += ms; }
  std::int64_t Now() const { return now_; }

  // A new member logged in through the browser.
  std::unique_ptr<Browser> LoggedInMember(const std::string& account,
                                          const std::string& password = "secret");

 private:
  std::atomic<std::int64_t> now_{kStartMs};
  std::unique_ptr<PlatformServer> server_;
};

// "key=value&…" with each value encoded as the desktop client does (GBK, reserved bytes as %XX).
std::string Form(std::initializer_list<std::pair<std::string, std::string>> fields);

}  // namespace sandbox::testing
