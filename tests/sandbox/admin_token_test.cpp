// Who may use the admin pages: open on loopback, token-guarded beyond it or when a token is set.

#include <regex>

#include "sandbox/admin_access.h"
#include "sandbox/options.h"
#include "sandbox/sandbox_fixture.h"

namespace sandbox::testing {
namespace {

constexpr const char* kAdmin = "/custody/sandbox/";
constexpr const char* kSettlementForm = "account=ann&typeid=4&money=12.50&stamp=ms";

class AdminTokenTest : public SandboxTest {
 protected:
  std::int64_t Withdrawable(const std::string& account) {
    return platform()
        .ledger.BalancesOf(*platform().members.FindId(account), Now())
        .withdrawableCents;
  }
  httplib::Result AdminPost(const std::string& path, const httplib::Headers& headers = {}) {
    return client_->Post(path, headers, kSettlementForm, "application/x-www-form-urlencoded");
  }
  int Status(const httplib::Result& result) { return result ? result->status : -1; }

  void SetUp() override {
    SandboxTest::SetUp();
    client_ = std::make_unique<httplib::Client>("127.0.0.1", server().port());
  }

  std::unique_ptr<httplib::Client> client_;
};

class BeyondLoopbackTest : public AdminTokenTest {
  void Configure(SandboxConfig& config) override { config.listenHost = "0.0.0.0"; }
};

TEST_F(BeyondLoopbackTest, AdminPagesNeedTheMadeUpTokenAndRefusalsChangeNothing) {
  const std::string token = platform().config().adminToken;
  EXPECT_TRUE(server().adminTokenMadeUp());
  ASSERT_TRUE(std::regex_match(token, std::regex("[0-9A-F]{32}")));
  LoggedInMember("ann");

  std::string wrong = token;
  wrong.back() = wrong.back() == 'A' ? 'B' : 'A';
  for (const auto& path : {std::string(kAdmin),
                           std::string(kAdmin) + "?token=", std::string(kAdmin) + "?token=" + wrong,
                           std::string(kAdmin) + "?token=" + token + "0"}) {
    const auto page = client_->Get(path);
    EXPECT_EQ(Status(page), 403) << path;
    EXPECT_EQ(page->body.find("ann"), std::string::npos) << path;
  }
  // A wrong header is not rescued by a right query parameter.
  EXPECT_EQ(
      Status(client_->Get(std::string(kAdmin) + "?token=" + token, {{kAdminTokenHeader, wrong}})),
      403);

  EXPECT_EQ(Status(AdminPost("/custody/sandbox/settlement")), 403);
  EXPECT_EQ(Status(AdminPost("/custody/sandbox/settlement", {{kAdminTokenHeader, wrong}})), 403);
  EXPECT_EQ(Status(AdminPost("/custody/sandbox/settlement?token=" + wrong)), 403);
  EXPECT_EQ(Withdrawable("ann"), 0);

  const auto byHeader = client_->Get(kAdmin, {{kAdminTokenHeader, token}});
  EXPECT_EQ(Status(byHeader), 200);
  const auto page = client_->Get(std::string(kAdmin) + "?token=" + token);
  ASSERT_EQ(Status(page), 200);
  EXPECT_NE(page->body.find("ann"), std::string::npos);

  // The page's own form carries the token, and so does the way back to the page.
  std::smatch action;
  ASSERT_TRUE(std::regex_search(page->body, action, std::regex("action=\"(settlement[^\"]*)\"")));
  const auto added = AdminPost("/custody/sandbox/" + action[1].str());
  ASSERT_EQ(Status(added), 303);
  EXPECT_EQ(added->get_header_value("Location"), std::string(kAdmin) + "?token=" + token);
  EXPECT_EQ(Withdrawable("ann"), 1250);

  // The platform's API and the scan page (reached through each code's own token) stay open.
  EXPECT_EQ(Status(client_->Get("/custody/pageController.do?goLogin")), 200);
  EXPECT_EQ(Status(client_->Get("/custody/sandbox/scan?code=0123")), 200);
}

class GivenTokenTest : public AdminTokenTest {
  void Configure(SandboxConfig& config) override { config.adminToken = "given-token"; }
};

TEST_F(GivenTokenTest, AGivenTokenGuardsTheAdminPagesOnLoopbackToo) {
  EXPECT_FALSE(server().adminTokenMadeUp());
  EXPECT_EQ(platform().config().adminToken, "given-token");
  LoggedInMember("ann");
  EXPECT_EQ(Status(client_->Get(kAdmin)), 403);
  EXPECT_EQ(Status(AdminPost("/custody/sandbox/settlement?token=given-toke")), 403);
  EXPECT_EQ(Withdrawable("ann"), 0);
  EXPECT_EQ(Status(AdminPost("/custody/sandbox/settlement?token=given-token")), 303);
  EXPECT_EQ(Withdrawable("ann"), 1250);
}

TEST(AdminTokenOptions, OnlyListeningBeyondLoopbackWithoutATokenMakesOneUp) {
  for (const char* host :
       {"127.0.0.1", "127.8.9.10", "::1", "[::1]", "::ffff:127.0.0.1", "localhost"}) {
    SandboxConfig config;
    config.listenHost = host;
    EXPECT_FALSE(EnsureAdminToken(config)) << host;
    EXPECT_EQ(config.adminToken, "") << host;
  }
  std::string previous;
  for (const char* host : {"0.0.0.0", "::", "192.168.1.20", "::ffff:10.0.0.1", "128.0.0.1",
                           "sandbox.example", "127.0.0.1.example"}) {
    SandboxConfig config;
    config.listenHost = host;
    EXPECT_TRUE(EnsureAdminToken(config)) << host;
    EXPECT_EQ(config.adminToken.size(), 32u) << host;
    EXPECT_NE(config.adminToken, previous);  // made up afresh each time
    previous = config.adminToken;
  }

  const auto given = ParseOptions({"--listen", "0.0.0.0", "--admin-token", "s3cret_-.~"});
  ASSERT_EQ(given.error, "");
  SandboxConfig config = given.config;
  EXPECT_FALSE(EnsureAdminToken(config));
  EXPECT_EQ(config.adminToken, "s3cret_-.~");
  // Texts that would need escaping in a URL or a page are refused.
  for (const char* bad : {"", "a b", "a&b", "a\"b", "a<b", "a%41", "令牌"}) {
    EXPECT_NE(ParseOptions({"--admin-token", bad}).error, "") << bad;
  }
  EXPECT_NE(ParseOptions({"--admin-token", std::string(129, 'a')}).error, "");
}

}  // namespace
}  // namespace sandbox::testing
