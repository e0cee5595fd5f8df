// The member's money and profile: settlements, balances page, binding the payout account,
// withdrawals with every refusal, the withdrawal list, and the change of password.

#include "net/form_encoding.h"
#include "sandbox/platform_time.h"
#include "sandbox/sandbox_fixture.h"

namespace sandbox::testing {
namespace {

constexpr const char* kSettlements = "/custody/userapi/jieSuan/getJieSuan.do?ajax=0.12345";
constexpr const char* kWithdrawals = "/custody/userapi/tixian/getTixianList.do?ajax=0.54321";
constexpr const char* kWithdraw = "/custody/userapi/tixian/withdraw.do";
constexpr const char* kBind = "/custody/userapi/adminUser/bindAlipay.do";

class MoneyTest : public SandboxTest {
 protected:
  void Earn(const std::string& account, std::int64_t cents, bool inSeconds = false,
            int typeId = 4) {
    Settlement row;
    row.memberId = *platform().members.FindId(account);
    row.typeId = typeId;
    row.cents = cents;
    row.atMs = Now();
    row.stampInSeconds = inSeconds;
    platform().ledger.AddSettlement(row);
  }
  // The inner JSON of a list answer ("jsonStr").
  static nlohmann::json Inner(const nlohmann::json& answer) {
    return nlohmann::json::parse(answer["jsonStr"].get<std::string>(), nullptr, false);
  }
  static std::string Between(const std::string& text, const std::string& left,
                             const std::string& right) {
    const auto start = text.find(left);
    if (start == std::string::npos) {
      return "<missing>";
    }
    const auto from = start + left.size();
    return text.substr(from, text.find(right, from) - from);
  }
  nlohmann::json WithdrawWithCaptcha(Browser& browser) {
    return browser.PostJson(kWithdraw, "checkCode=" + browser.FetchCaptcha());
  }
};

TEST_F(MoneyTest, SettlementsComeInsideJsonStrWithBothStampLengths) {
  auto member = LoggedInMember("judy");
  Earn("judy", 1250, true);
  Advance(1000);
  Earn("judy", 300, false, 2);
  const auto answer = member->PostJson(kSettlements, "page=1&size=99999&suser_id=&typeid=");
  EXPECT_EQ(answer["success"], true);
  const auto inner = Inner(answer);
  const auto& list = inner["attributes"]["jieSuanEntityList"];
  ASSERT_EQ(list.size(), 2u);
  EXPECT_EQ(list[0]["typeid"], 2);  // newest first
  EXPECT_EQ(list[0]["money"], "3.00");
  EXPECT_EQ(std::to_string(list[0]["add_time"].get<std::int64_t>()).size(), 13u);
  EXPECT_EQ(list[1]["typeid"], 4);
  EXPECT_EQ(list[1]["money"], "12.50");
  EXPECT_EQ(list[1]["add_time"], kStartMs / 1000);

  const auto onlyTasks = Inner(member->PostJson(kSettlements, "page=1&size=99999&typeid=4"));
  EXPECT_EQ(onlyTasks["attributes"]["jieSuanEntityList"].size(), 1u);
}

TEST_F(MoneyTest, BindingHappensOnceAndShowsOnTheBaseInfoPage) {
  auto member = LoggedInMember("kim");
  const auto unbound = member->Post("/custody/pageController.do?baseinfo", "");
  ASSERT_TRUE(unbound);
  EXPECT_NE(unbound->body.find("<button onclick=\"openAlipay()\">绑定支付宝</button>"),
            std::string::npos);

  const std::string body = "realname=" + hosting::net::PercentEncodeUtf8("李 四") +
                           "&aliAccount=" + hosting::net::FormValue("li4@example.com");
  auto answer = member->PostJson(kBind, body);
  EXPECT_EQ(answer["msg"], "绑定成功");
  answer = member->PostJson(kBind, "realname=%E7%8E%8B%E4%BA%94&aliAccount=other");
  EXPECT_EQ(answer["success"], false);
  EXPECT_NE(answer["msg"], "绑定成功");

  const auto page = member->Post("/custody/pageController.do?baseinfo", "");
  ASSERT_TRUE(page);
  const std::string lineBreak = "\r\n\t\t\t\t\t\t\t\t\t";
  EXPECT_EQ(page->body.find("openAlipay()"), std::string::npos);
  EXPECT_EQ(Between(page->body, "支付宝账户：</td>" + lineBreak + "<td>", lineBreak + "</td>"),
            "li4@example.com");
  EXPECT_EQ(Between(page->body, "真实姓名：</td>" + lineBreak + "<td>", "</td>"), "李 四");
}

TEST_F(MoneyTest, WithdrawalRefusalsThenSuccessThenTheList) {
  auto member = LoggedInMember("leo");
  EXPECT_EQ(member->PostJson(kWithdraw, "checkCode=")["msg"], "验证码错误！");
  EXPECT_EQ(WithdrawWithCaptcha(*member)["msg"], "请先设置收款信息!");
  ASSERT_EQ(member->PostJson(kBind, "realname=Leo&aliAccount=leo%40example.com")["msg"],
            "绑定成功");
  Earn("leo", 999);
  EXPECT_EQ(WithdrawWithCaptcha(*member)["msg"], "可提现金额不足十元，不可以提现");
  Earn("leo", 1);
  const auto done = WithdrawWithCaptcha(*member);
  EXPECT_EQ(done["msg"], "提现成功，请等待。");
  EXPECT_EQ(done["success"], true);
  EXPECT_EQ(WithdrawWithCaptcha(*member)["msg"], "可提现金额不足十元，不可以提现");

  const auto page = member->Get("/custody/pageController.do?tixian");
  ASSERT_TRUE(page);
  EXPECT_EQ(Between(page->body, "累计已提现 ￥", "<"), "10.00");
  EXPECT_EQ(Between(page->body, "可提现金额 ￥", "<"), "0.00");
  EXPECT_EQ(Between(page->body, "本日收益额 ￥", "<"), "10.00");

  const auto list = Inner(member->GetJson(kWithdrawals))["attributes"]["withdrawEntityList"];
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0]["money"], "10.00");
  EXPECT_EQ(list[0]["status"], 0);
  EXPECT_EQ(list[0]["pay_status"], 0);
  EXPECT_EQ(list[0]["add_time"], Now());
  EXPECT_FALSE(list[0]["out_biz_no"].get<std::string>().empty());
}

TEST_F(MoneyTest, RefusedOrFailedWithdrawalsGiveTheMoneyBack) {
  auto member = LoggedInMember("mia");
  member->PostJson(kBind, "realname=Mia&aliAccount=mia");
  Earn("mia", 5000);
  ASSERT_EQ(WithdrawWithCaptcha(*member)["success"], true);
  const auto id = platform().ledger.Withdrawals(*platform().members.FindId("mia"))[0].id;
  const auto memberId = *platform().members.FindId("mia");
  EXPECT_EQ(platform().ledger.BalancesOf(memberId, Now()).withdrawableCents, 0);
  ASSERT_TRUE(platform().ledger.SetWithdrawalState(id, 2, 0, Now()));
  EXPECT_EQ(platform().ledger.BalancesOf(memberId, Now()).withdrawableCents, 5000);
  ASSERT_TRUE(platform().ledger.SetWithdrawalState(id, 1, 3, Now()));
  EXPECT_EQ(platform().ledger.BalancesOf(memberId, Now()).withdrawableCents, 0);
  ASSERT_TRUE(platform().ledger.SetWithdrawalState(id, 1, 2, Now()));
  EXPECT_EQ(platform().ledger.BalancesOf(memberId, Now()).withdrawableCents, 5000);
}

TEST_F(MoneyTest, ThreeWithdrawalsADayAndANewDayStartsAfresh) {
  auto member = LoggedInMember("ned");
  member->PostJson(kBind, "realname=Ned&aliAccount=ned");
  for (int i = 0; i < 3; ++i) {
    Earn("ned", 1000);
    EXPECT_EQ(WithdrawWithCaptcha(*member)["msg"], "提现成功，请等待。");
  }
  Earn("ned", 1000);
  EXPECT_EQ(WithdrawWithCaptcha(*member)["msg"], "今天累计提现超过3次！");
  Advance(DayStartMs(Now()) + kDayMs - Now());
  ASSERT_EQ(member->Login("ned", "secret")["success"], true);  // the idle session has ended
  EXPECT_EQ(WithdrawWithCaptcha(*member)["msg"], "提现成功，请等待。");
}

TEST_F(MoneyTest, ChangedPasswordIsTheOnlyOneThatLogsIn) {
  auto member = LoggedInMember("olga", "old-password");
  auto answer = member->PostJson("/custody/userapi/adminUser/changepwd.do",
                                 Form({{"password", "新的&密码"}}));
  EXPECT_EQ(answer["msg"], "成功修改密码");
  EXPECT_EQ(member->PostJson("/custody/userapi/adminUser/changepwd.do", "password=")["success"],
            false);

  Browser again(server());
  EXPECT_EQ(again.Login("olga", "old-password")["success"], false);
  EXPECT_EQ(again.Login("olga", "新的&密码")["success"], true);
}

TEST_F(MoneyTest, PagesSendStrangersToTheLoginPage) {
  Browser stranger(server());
  for (const char* page : {"index", "tixian", "baseinfo"}) {
    const auto answer = stranger.Post(std::string("/custody/pageController.do?") + page, "");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 302) << page;
    EXPECT_EQ(answer->body.find("累计已提现"), std::string::npos);
  }
  EXPECT_EQ(stranger.GetJson(kWithdrawals)["msg"], "请先登录");
}

}  // namespace
}  // namespace sandbox::testing
