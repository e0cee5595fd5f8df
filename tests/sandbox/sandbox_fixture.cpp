#include "sandbox/sandbox_fixture.h"

#include "net/form_encoding.h"
#include "sandbox/cookie_header.h"

namespace sandbox::testing {

Browser::Browser(PlatformServer& server) : server_(server), client_("127.0.0.1", server.port()) {
  client_.set_read_timeout(30);
}

httplib::Headers Browser::CookieHeader() const {
  if (sessionId_.empty()) {
    return {};
  }
  return {{"Cookie", "JSESSIONID=" + sessionId_}};
}

void Browser::Remember(const httplib::Result& result) {
  if (!result || !result->has_header("Set-Cookie")) {
    return;
  }
  const std::string cookie = result->get_header_value("Set-Cookie");
  const auto values = CookieValues(cookie.substr(0, cookie.find(';')), "JSESSIONID");
  if (!values.empty()) {
    sessionId_ = values.front();
  }
}

httplib::Result Browser::Get(const std::string& path) {
  auto result = client_.Get(path, CookieHeader());
  Remember(result);
  return result;
}

httplib::Result Browser::Post(const std::string& path, const std::string& body) {
  auto result = client_.Post(path, CookieHeader(), body, "application/x-www-form-urlencoded");
  Remember(result);
  return result;
}

nlohmann::json Browser::PostJson(const std::string& path, const std::string& body) {
  const auto result = Post(path, body);
  return result ? nlohmann::json::parse(result->body, nullptr, false) : nlohmann::json();
}

nlohmann::json Browser::GetJson(const std::string& path) {
  const auto result = Get(path);
  return result ? nlohmann::json::parse(result->body, nullptr, false) : nlohmann::json();
}

std::string Browser::FetchCaptcha() {
  const auto result = Get("/custody/verificationCode/generate.do?0.961945197493981");
  EXPECT_TRUE(result && result->status == 200);
  return server_.context().sessions.CaptchaOf(sessionId_);
}

nlohmann::json Browser::Register(const std::string& account, const std::string& password) {
  const std::string captcha = FetchCaptcha();
  return PostJson("/custody/userapi/adminUser/register.do",
                  Form({{"account", account}, {"password", password}}) +
                      "&key=580213746691&checkCode=" + captcha);
}

nlohmann::json Browser::Login(const std::string& account, const std::string& password) {
  const std::string captcha = FetchCaptcha();
  return PostJson("/custody/userapi/adminUser/login.do",
                  Form({{"account", account}, {"password", password}, {"checkCode", captcha}}));
}

void SandboxTest::SetUp() {
  SandboxConfig config;
  config.db = ":memory:";
  config.port = 0;
  config.versionPort = 0;
  config.threads = 32;
  config.clock = [this] { return now_.load(); };
  Configure(config);
  server_ = std::make_unique<PlatformServer>(config);
  server_->Start();
}

void SandboxTest::TearDown() {
  server_.reset();
}

std::unique_ptr<Browser> SandboxTest::LoggedInMember(const std::string& account,
                                                     const std::string& password) {
  auto browser = std::make_unique<Browser>(*server_);
  EXPECT_EQ(browser->Register(account, password)["msg"], "注册成功");
  EXPECT_EQ(browser->Login(account, password)["success"], true);
  return browser;
}

std::string Form(std::initializer_list<std::pair<std::string, std::string>> fields) {
  std::string body;
  for (const auto& [key, value] : fields) {
    body += (body.empty() ? "" : "&") + key + "=" + hosting::net::FormValue(value);
  }
  return body;
}

}  // namespace sandbox::testing
