// Session cookie, captcha, registration and login over real HTTP.

#include <regex>

#include "net/codec.h"
#include "sandbox/sandbox_fixture.h"

namespace sandbox::testing {
namespace {

using SessionTest = SandboxTest;

constexpr const char* kLogin = "/custody/userapi/adminUser/login.do";
constexpr const char* kRegister = "/custody/userapi/adminUser/register.do";

TEST_F(SessionTest, LoginPageOpensASessionThatLaterRequestsKeep) {
  httplib::Client client("127.0.0.1", server().port());
  const auto first = client.Get("/custody/pageController.do?goLogin");
  ASSERT_TRUE(first);
  EXPECT_EQ(first->status, 200);
  const std::string cookie = first->get_header_value("Set-Cookie");
  std::smatch match;
  ASSERT_TRUE(std::regex_match(cookie, match,
                               std::regex("JSESSIONID=([0-9A-F]{32}); Path=/custody; HttpOnly")));
  const std::string id = match[1];

  const auto again =
      client.Get("/custody/pageController.do?goLogin", {{"Cookie", "JSESSIONID=" + id}});
  ASSERT_TRUE(again);
  EXPECT_FALSE(again->has_header("Set-Cookie"));

  // A removed or unknown session before the live one is skipped, not taken as a new session.
  const auto mixed = client.Get("/custody/verificationCode/generate.do?0.40040207609499046",
                                {{"Cookie", "JSESSIONID=deleted; JSESSIONID=" + id}});
  ASSERT_TRUE(mixed);
  EXPECT_FALSE(mixed->has_header("Set-Cookie"));

  const auto stranger = client.Get("/custody/pageController.do?goLogin",
                                   {{"Cookie", "JSESSIONID=0123456789ABCDEF0123456789ABCDEF"}});
  ASSERT_TRUE(stranger);
  EXPECT_NE(stranger->get_header_value("Set-Cookie").find("JSESSIONID="), std::string::npos);
  EXPECT_EQ(stranger->get_header_value("Set-Cookie").find(id), std::string::npos);
}

TEST_F(SessionTest, CaptchaIsABitmapAndEachSessionHasItsOwnCode) {
  Browser one(server());
  Browser two(server());
  const auto picture = one.Get("/custody/verificationCode/generate.do?0.961945197493981");
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->get_header_value("Content-Type"), "image/bmp");
  ASSERT_GT(picture->body.size(), 54u);
  EXPECT_EQ(picture->body.substr(0, 2), "BM");
  const std::string code = platform().sessions.CaptchaOf(one.sessionId());
  EXPECT_TRUE(std::regex_match(code, std::regex("[0-9]{4}")));

  two.FetchCaptcha();
  EXPECT_NE(one.sessionId(), two.sessionId());
  EXPECT_EQ(platform().sessions.CaptchaOf(one.sessionId()), code);
}

TEST_F(SessionTest, RegistrationChecksCaptchaKeyAndFreeName) {
  Browser browser(server());
  std::string captcha = browser.FetchCaptcha();
  const std::string wrongCaptcha = captcha == "0000" ? "1111" : "0000";
  auto answer = browser.PostJson(
      kRegister, "account=alice&password=pw&key=580213746691&checkCode=" + wrongCaptcha);
  EXPECT_EQ(answer["msg"], "验证码错误！");
  EXPECT_EQ(answer["success"], false);

  // A failed attempt leaves the captcha valid.
  answer = browser.PostJson(kRegister,
                            "account=alice&password=pw&key=123456789012&checkCode=" + captcha);
  EXPECT_EQ(answer["success"], false);
  EXPECT_NE(answer["msg"], "注册成功");

  answer =
      browser.PostJson(kRegister, "account=&password=pw&key=580213746691&checkCode=" + captcha);
  EXPECT_EQ(answer["success"], false);

  answer = browser.PostJson(kRegister,
                            "account=alice&password=pw&key=580213746691&checkCode=" + captcha);
  EXPECT_EQ(answer["msg"], "注册成功");
  EXPECT_EQ(answer["success"], true);

  // The captcha was spent by the successful registration.
  answer =
      browser.PostJson(kRegister, "account=bob&password=pw&key=580213746691&checkCode=" + captcha);
  EXPECT_EQ(answer["msg"], "验证码错误！");

  EXPECT_EQ(browser.Register("alice", "other")["success"], false);
}

TEST_F(SessionTest, LoginNeedsTheCurrentCaptchaAndTheRightPassword) {
  Browser browser(server());
  ASSERT_EQ(browser.Register("carol", "a&b+c=d%e")["msg"], "注册成功");

  const std::string old = browser.FetchCaptcha();
  std::string fresh = browser.FetchCaptcha();
  if (fresh != old) {  // a replaced captcha no longer counts
    EXPECT_EQ(
        browser.PostJson(
            kLogin,
            Form({{"account", "carol"}, {"password", "a&b+c=d%e"}, {"checkCode", old}}))["msg"],
        "验证码错误！");
  }
  auto answer = browser.PostJson(
      kLogin, Form({{"account", "carol"}, {"password", "a&b+c"}, {"checkCode", fresh}}));
  EXPECT_EQ(answer["success"], false);
  EXPECT_NE(answer["msg"], "验证码错误！");

  answer = browser.PostJson(
      kLogin, Form({{"account", "carol"}, {"password", "a&b+c=d%e"}, {"checkCode", fresh}}));
  EXPECT_EQ(answer["success"], true);
  EXPECT_EQ(answer["msg"], "登录成功");

  // A second login with the spent captcha is refused.
  answer = browser.PostJson(
      kLogin, Form({{"account", "carol"}, {"password", "a&b+c=d%e"}, {"checkCode", fresh}}));
  EXPECT_EQ(answer["msg"], "验证码错误！");
}

TEST_F(SessionTest, ChineseAccountNamesArriveAsGbkAndComeBackAsUtf8) {
  Browser browser(server());
  ASSERT_EQ(browser.Register("张三丰", "口令")["msg"], "注册成功");
  const auto answer = browser.Login("张三丰", "口令");
  EXPECT_EQ(answer["success"], true);
  EXPECT_EQ(answer["data"]["account"], "张三丰");
  ASSERT_TRUE(platform().members.FindId("张三丰").has_value());

  // The same name sent as UTF-8 bytes is another (garbled) name, not the GBK one.
  const std::string utf8 = "张三丰";
  std::string escaped;
  for (const unsigned char byte : utf8) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    escaped += '%';
    escaped += kHex[byte >> 4];
    escaped += kHex[byte & 15];
  }
  const std::string captcha = browser.FetchCaptcha();
  EXPECT_EQ(browser.PostJson(kLogin, "account=" + escaped +
                                         "&password=" + hosting::net::Utf8ToGbk("口令") +
                                         "&checkCode=" + captcha)["success"],
            false);
}

}  // namespace
}  // namespace sandbox::testing
