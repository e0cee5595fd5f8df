// Who may use the admin pages, and SQL-shaped input, which is stored as plain data.
#include "sandbox/admin_access.h"
#include "sandbox/sandbox_fixture.h"

namespace sandbox::testing {
namespace {

using Listening = std::pair<std::string, std::string>;  // host, admin token

class AdminAccessTest : public SandboxTest, public ::testing::WithParamInterface<Listening> {
  void Configure(SandboxConfig& config) override {
    std::tie(config.listenHost, config.adminToken) = GetParam();
  }
};

TEST_P(AdminAccessTest, OnlyTheRightTokenOpensThePages) {
  const std::string token = platform().config().adminToken;
  const bool open = token.empty();
  EXPECT_EQ(server().adminTokenMadeUp(), GetParam().second.empty() && !open);
  LoggedInMember("ann");
  std::string wrong = open ? "x" : token;
  wrong.back() = wrong.back() == 'A' ? 'B' : 'A';
  httplib::Client admin("127.0.0.1", server().port());
  std::int64_t paid = 0;
  for (const auto& [query, header, right] : std::vector<std::tuple<std::string, std::string, bool>>{
           {"", "", false},
           {"?token=" + wrong, "", false},
           {"?token=" + token + "0", "", false},
           {"", wrong, false},
           {"?token=" + token, wrong, false},  // a right query does not rescue a wrong header
           {"", token, true},
           {"?token=" + token, "", true}}) {
    SCOPED_TRACE(query + " / " + header);
    const httplib::Headers headers{{header.empty() ? "X-None" : kAdminTokenHeader, header}};
    const bool allowed = open || right;
    const auto page = admin.Get("/custody/sandbox/" + query, headers);
    EXPECT_EQ(page->status, allowed ? 200 : 403);
    EXPECT_EQ(page->body.find("ann") != std::string::npos, allowed);
    const auto settled =
        admin.Post("/custody/sandbox/settlement" + query, headers,
                   "account=ann&typeid=4&money=12.50", "application/x-www-form-urlencoded");
    EXPECT_EQ(settled->status, allowed ? 303 : 403);
    EXPECT_EQ(Withdrawable(*platform().members.FindId("ann")), paid += allowed ? 1250 : 0);
  }
  // The platform's API and the scan page (guarded by each code's own token) stay open.
  EXPECT_EQ(admin.Get("/custody/pageController.do?goLogin")->status, 200);
  EXPECT_EQ(admin.Get("/custody/sandbox/scan?code=0123")->status, 200);
}

INSTANTIATE_TEST_SUITE_P(Listening, AdminAccessTest,
                         ::testing::Values(Listening("0.0.0.0", ""), Listening("0.0.0.0", "given"),
                                           Listening("127.0.0.1", "")));

TEST(AdminToken, OnlyLoopbackAddressesCountAsLoopback) {
  std::string loopback;
  for (const char* host :
       {"127.0.0.1", "127.8.9.10", "::1", "[::1]", "::ffff:127.0.0.1", "localhost", "0.0.0.0",
        "::", "::ffff:10.0.0.1", "128.0.0.1", "127.0.0.1.example"})
    loopback += IsLoopbackHost(host) ? "1" : "0";
  EXPECT_EQ(loopback, "11111100000");
}

using SqlShapedInputTest = SandboxTest;

TEST_F(SqlShapedInputTest, IsStoredLiterallyAndTouchesNothingElse) {
  const std::string sly = "张三' OR '1'='1";  // GBK on the way in, UTF-8 in the store
  auto member = LoggedInMember(sly, "' OR ''='");
  Browser stranger(server().port());  // an always-true password does not log in
  EXPECT_EQ(stranger.Login(sly, "x' OR '1'='1")["success"], false);
  const std::string payout = "a' OR 1=1; UPDATE members SET ali_account='x";
  EXPECT_EQ(member->Api("adminUser/bindAlipay.do",
                        "realname=x&aliAccount=" + hosting::net::FormValue(payout))["msg"],
            "绑定成功");
  // The admin settlement form finds exactly the member named, and refuses a type id with SQL.
  const std::string account = "account=" + hosting::net::PercentEncodeUtf8(sly);
  for (const auto& [fields, status] :
       {std::pair("&typeid=4&money=20", 303), std::pair("&typeid=4%20OR%201%3D1&money=2", 400)})
    EXPECT_EQ(stranger.Send("/custody/sandbox/settlement", account + fields)->status, status);
  const auto members = platform().members.All();
  ASSERT_EQ(members.size(), 1u);
  EXPECT_EQ(members[0].account + "|" + members[0].aliAccount, sly + "|" + payout);
  EXPECT_EQ(Withdrawable(members[0].id), 2000);
}

}  // namespace
}  // namespace sandbox::testing
