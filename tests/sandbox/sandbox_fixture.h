#pragma once
// An in-process sandbox: in-memory database, a clock the test moves, a fixed captcha.
#include <gtest/gtest.h>
#include <httplib.h>

#include <atomic>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

#include "net/form_encoding.h"
#include "sandbox/cookie_header.h"
#include "support/test_sandbox.h"

namespace sandbox::testing {

using hosting::testing_support::kCaptcha;
inline constexpr const char* kRegistrationKey = "&key=580213746691";

class Browser {
 public:
  explicit Browser(int port) : client_("127.0.0.1", port) {}

  // A GET without body, else a form POST.
  httplib::Result Send(const std::string& path, const std::optional<std::string>& body = {}) {
    const httplib::Headers cookie{{"Cookie", "JSESSIONID=" + session_}};
    auto result = body ? client_.Post(path, cookie, *body, "application/x-www-form-urlencoded")
                       : client_.Get(path, cookie);
    const auto ids =
        CookieValues(result ? result->get_header_value("Set-Cookie") : "", "JSESSIONID");
    session_ = ids.empty() ? session_ : ids.front();
    return result;
  }
  // A form POST to the member API, its answer parsed (discarded when it is not JSON).
  nlohmann::json Api(const std::string& path, const std::string& body) {
    const auto result = Send("/custody/userapi/" + path, body);
    return nlohmann::json::parse(result ? result->body : "", nullptr, false);
  }
  // Loads a captcha picture first, so that the session holds kCaptcha.
  nlohmann::json WithCaptcha(const std::string& path, const std::string& body) {
    Send("/custody/verificationCode/generate.do");
    return Api(path, body + "&checkCode=" + kCaptcha);
  }
  // Account and password go as the desktop client sends them (GBK, reserved bytes as %XX).
  nlohmann::json Register(const std::string& account, const std::string& password) {
    return Login(account, password, "register.do", kRegistrationKey);
  }
  nlohmann::json Login(const std::string& account, const std::string& password,
                       const std::string& page = "login.do", const std::string& more = "") {
    return WithCaptcha("adminUser/" + page, "account=" + hosting::net::FormValue(account) +
                                                "&password=" + hosting::net::FormValue(password) +
                                                more);
  }

 private:
  httplib::Client client_;
  std::string session_;
};

class SandboxTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SandboxConfig config;
    config.threads = 32;
    config.clock = [this] { return now_.load(); };
    Configure(config);
    sandbox_.emplace(config);
  }
  virtual void Configure(SandboxConfig&) {}

  PlatformServer& server() { return sandbox_->server(); }
  PlatformContext& platform() { return sandbox_->platform(); }
  std::int64_t Now() const { return now_; }
  void Advance(std::int64_t ms) { now_ += ms; }
  std::int64_t Withdrawable(std::int64_t member) {
    return platform().ledger.BalancesOf(member, Now()).withdrawableCents;
  }
  // A new member, registered and logged in.
  std::unique_ptr<Browser> LoggedInMember(const std::string& account,
                                          const std::string& password = "pw") {
    auto browser = std::make_unique<Browser>(server().port());
    EXPECT_EQ(browser->Register(account, password)["msg"], "注册成功");
    EXPECT_EQ(browser->Login(account, password)["success"], true);
    return browser;
  }

 private:
  std::atomic<std::int64_t> now_{1'700'000'000'000};
  std::optional<hosting::testing_support::TestSandbox> sandbox_;
};

}  // namespace sandbox::testing
