// Bad requests: unknown paths, wrong methods, oversized and malformed bodies, invalid GBK, many
// sessions at once. None may crash the server or leave anything half-written.

#include <thread>

#include "sandbox/sandbox_fixture.h"

namespace sandbox::testing {
namespace {

using RobustnessTest = SandboxTest;

TEST_F(RobustnessTest, UnknownPathsAndWrongMethodsGetClearStatuses) {
  httplib::Client client("127.0.0.1", server().port());
  auto answer = client.Get("/custody/userapi/nothing.do");
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 404);
  answer = client.Get("/custody/userapi/adminUser/login.do");
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 405);
  EXPECT_EQ(answer->get_header_value("Allow"), "POST");
  answer = client.Delete("/custody/pageController.do?index");
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 405);
  answer = client.Get("/custody/pageController.do?unknown");
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 404);
  answer = client.Get("/custody/sandbox/avatar/../../etc/passwd");
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 404);
}

TEST_F(RobustnessTest, OversizedBodiesAreRefusedAndTheServerGoesOn) {
  Browser browser(server());
  const auto answer =
      browser.Post("/custody/userapi/adminUser/register.do",
                   "account=" + std::string(kMaxBodyBytes + 1, 'a') + "&password=x");
  ASSERT_TRUE(answer);
  EXPECT_EQ(answer->status, 413);
  EXPECT_EQ(platform().members.All().size(), 0u);
  EXPECT_EQ(browser.Register("after", "pw")["msg"], "注册成功");
}

TEST_F(RobustnessTest, MalformedFormsAndInvalidGbkNeverStoreBrokenText) {
  Browser browser(server());
  for (const std::string& body :
       {std::string("%%%&&&==="), std::string("account"), std::string("\x00\x01=\xFF", 4),
        std::string("account=%FF%FE%81&password=%81&key=580213746691&checkCode=%")}) {
    const auto answer = browser.Post("/custody/userapi/adminUser/register.do", body);
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 200);
    EXPECT_FALSE(nlohmann::json::parse(answer->body, nullptr, false).is_discarded());
  }
  // A well-formed registration of an invalid-GBK name stores valid UTF-8 (U+FFFD), and every
  // answer that shows it stays valid JSON.
  const std::string captcha = browser.FetchCaptcha();
  const auto answer =
      browser.PostJson("/custody/userapi/adminUser/register.do",
                       "account=%81%FFx&password=pw&key=580213746691&checkCode=" + captcha);
  EXPECT_EQ(answer["msg"], "注册成功");
  const auto members = platform().members.All();
  ASSERT_EQ(members.size(), 1u);
  EXPECT_NE(members[0].account.find("\xEF\xBF\xBD"), std::string::npos);
  const auto login = browser.Login(members[0].account, "pw");
  EXPECT_EQ(login["success"], false);  // the name as typed was not the stored one
  const auto admin = browser.Get("/custody/sandbox/");
  ASSERT_TRUE(admin);
  EXPECT_EQ(admin->status, 200);
}

TEST_F(RobustnessTest, ManySessionsAtOnceKeepTheirOwnMembers) {
  constexpr int kMembers = 12;
  std::vector<std::unique_ptr<Browser>> browsers;
  for (int i = 0; i < kMembers; ++i) {
    browsers.push_back(LoggedInMember("user" + std::to_string(i)));
  }
  std::vector<std::thread> threads;
  std::atomic<int> mismatches{0};
  for (int i = 0; i < kMembers; ++i) {
    threads.emplace_back([&, i] {
      auto& browser = *browsers[static_cast<std::size_t>(i)];
      for (int k = 0; k < 10; ++k) {
        const auto opened = browser.PostJson("/custody/userapi/weixin/code.do?ajax=0.1",
                                             "xiaohao_id=0&action=qrcode");
        const auto code =
            platform().hosting.Find(*platform().members.FindId("user" + std::to_string(i)),
                                    opened["data"].value("id", std::int64_t{-1}));
        if (!code) {
          ++mismatches;
        }
      }
    });
  }
  for (auto& thread : threads) {
    thread.join();
  }
  EXPECT_EQ(mismatches, 0);
}

}  // namespace
}  // namespace sandbox::testing
