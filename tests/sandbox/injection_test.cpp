// Values shaped like SQL reach the database as plain data through every form that stores text.

#include "net/form_encoding.h"
#include "sandbox/sandbox_fixture.h"

namespace sandbox::testing {
namespace {

using InjectionTest = SandboxTest;

TEST_F(InjectionTest, SqlShapedValuesAreStoredLiterallyAndTouchNothingElse) {
  const std::string sly = "x' OR '1'='1";
  const std::string dropper = "bob\"; DROP TABLE members; --";
  const std::string slyPassword = "' OR ''='";
  auto bob = LoggedInMember(dropper, "pw");
  auto member = LoggedInMember(sly, slyPassword);
  EXPECT_EQ(member->Login(sly, slyPassword)["data"]["account"], sly);

  // Neither a prefix of a stored name with a comment nor an always-true password logs in.
  Browser stranger(server());
  EXPECT_EQ(stranger.Login("x' --", "anything")["success"], false);
  EXPECT_EQ(stranger.Login(sly, "anything' OR '1'='1")["success"], false);
  EXPECT_EQ(stranger.Login("bob\" --", "' OR 1=1 --")["success"], false);

  const std::string realname = "Robert'); DROP TABLE withdrawals;--";
  const std::string payout = "a' OR 1=1; UPDATE members SET ali_account='x";
  EXPECT_EQ(member->PostJson("/custody/userapi/adminUser/bindAlipay.do",
                             "realname=" + hosting::net::PercentEncodeUtf8(realname) +
                                 "&aliAccount=" + hosting::net::FormValue(payout))["msg"],
            "绑定成功");

  const std::string newPassword = "'; UPDATE members SET password_hash=''; --";
  EXPECT_EQ(member->PostJson("/custody/userapi/adminUser/changepwd.do",
                             Form({{"password", newPassword}}))["msg"],
            "成功修改密码");
  EXPECT_EQ(stranger.Login(sly, newPassword)["success"], true);
  EXPECT_EQ(stranger.Login(dropper, "pw")["success"], true);

  // The admin page's settlement form finds exactly the member named, and refuses a type id with
  // SQL after it.
  httplib::Client admin("127.0.0.1", server().port());
  EXPECT_EQ(admin
                .Post("/custody/sandbox/settlement",
                      "account=" + hosting::net::PercentEncodeUtf8(sly) + "&typeid=4&money=20",
                      "application/x-www-form-urlencoded")
                ->status,
            303);
  EXPECT_EQ(admin
                .Post("/custody/sandbox/settlement",
                      "account=" + hosting::net::PercentEncodeUtf8(sly) +
                          "&typeid=4%20OR%201%3D1&money=20",
                      "application/x-www-form-urlencoded")
                ->status,
            400);

  const auto members = platform().members.All();
  ASSERT_EQ(members.size(), 2u);
  EXPECT_EQ(members[0].account, dropper);
  EXPECT_EQ(members[0].aliAccount, "");
  EXPECT_EQ(members[1].account, sly);
  EXPECT_EQ(members[1].realname, realname);
  EXPECT_EQ(members[1].aliAccount, payout);
  EXPECT_EQ(platform().ledger.BalancesOf(members[0].id, Now()).withdrawableCents, 0);
  EXPECT_EQ(platform().ledger.BalancesOf(members[1].id, Now()).withdrawableCents, 2000);
  EXPECT_TRUE(platform().ledger.AllWithdrawals().empty());
}

}  // namespace
}  // namespace sandbox::testing
