// Odd requests get a clear answer, and nothing broken is stored; FormBody turns bytes that are no
// GBK into U+FFFD below the routes.
#include "sandbox/http_listener.h"
#include "sandbox/sandbox_fixture.h"

namespace sandbox::testing {
namespace {

using RobustnessTest = SandboxTest;

TEST_F(RobustnessTest, BadRequestsGetClearAnswersAndStoreOnlyValidText) {
  httplib::Client client("127.0.0.1", server().port());
  for (const char* missing : {"/custody/userapi/nothing.do", "/custody/pageController.do?unknown",
                              "/custody/sandbox/avatar/../../etc/passwd"})
    EXPECT_EQ(client.Get(missing)->status, 404) << missing;
  EXPECT_EQ(client.Delete("/custody/pageController.do?index")->status, 405);
  Browser browser(server().port());
  const std::string oversized = "account=" + std::string(kMaxBodyBytes + 1, 'a');
  EXPECT_EQ(browser.Send("/custody/userapi/adminUser/register.do", oversized)->status, 413);

  for (const char* path :
       {"weixin/code.do", "weixin/list.do", "adminUser/changepwd.do", "adminUser/bindAlipay.do",
        "jieSuan/getJieSuan.do", "tixian/withdraw.do"}) {
    auto refusal = browser.Api(path, "password=x");  // no one is logged in yet
    EXPECT_EQ(refusal["success"], false) << path;
    EXPECT_EQ(refusal["msg"], "请先登录") << path;
  }
  const std::tuple<std::string, std::string, bool> accounts[] = {
      {std::string(60, 'a'), "pw", true},
      {"c", std::string(64, 'p'), true},
      {std::string(61, 'b'), "pw", false},
      {"d", std::string(65, 'p'), false},
      {"a\tb", "pw", false},
      {"", "pw", false},
      {"e", "", false}};
  for (const auto& [account, password, stored] : accounts)
    EXPECT_EQ(browser.Register(account, password)["success"], stored) << account << password;
  const auto wrongKey = browser.WithCaptcha("adminUser/register.do", "account=f&password=pw&key=1");
  EXPECT_EQ(wrongKey["success"], false);
  EXPECT_EQ(platform().members.All().size(), 2u);
}

// Their expiry shows in the hosting flows.
TEST_F(RobustnessTest, CodesAreSeenOnlyByTheirOwnerAndAtMostTwentyWait) {
  auto owner = LoggedInMember("owner");
  const auto opened = owner->Api("weixin/code.do", "xiaohao_id=0&action=qrcode")["data"]["id"];
  const std::string poll = "action=qrcode&xiaohao_id=" + std::to_string(opened.get<int>());
  EXPECT_EQ(LoggedInMember("other")->Api("weixin/code.do", poll)["success"], false);
  EXPECT_EQ(owner->Api("weixin/code.do", poll)["data"]["loginType"], 0);
  const std::int64_t member = platform().members.Register("opener", "pw", Now()).value();
  for (int i = 0; i < kMaxOpenCodes; ++i)
    ASSERT_TRUE(platform().hosting.OpenCode(member, Now())) << i;
  EXPECT_FALSE(platform().hosting.OpenCode(member, Now())) << "too many codes waiting";
}

}  // namespace
}  // namespace sandbox::testing
