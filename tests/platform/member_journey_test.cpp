// The member's journey through the flows, over the transport of the build, against the
// platform-sandbox that scripts/with-platform-sandbox.sh starts (the demo member, every captcha
// kCaptcha, every hosting code scanned after 1 s).
#include <gtest/gtest.h>

#include <cstdlib>

#include "flow_surroundings.h"
#include "platform/account_flows.h"
#include "platform/captcha_flows.h"
#include "platform/earnings_flows.h"
#include "platform/hosting_qr_flow.h"
#include "platform/platform_requests.h"

namespace hosting::platform::testing {
namespace {

using namespace std::chrono_literals;

TEST(MemberJourney, RegistersLogsInHostsListsEarnsWithdrawsBindsAndChangesThePassword) {
  const char* url = std::getenv("HOSTING_TEST_SANDBOX_URL");
  ASSERT_TRUE(url) << "HOSTING_TEST_SANDBOX_URL names no platform-sandbox";
  FlowSurroundings bed({url, {}, {}});
  const FlowContext& context = bed.context;
  OpenPlatformSession(context);
  RefreshRegisterCaptcha(context, bed.loginView);
  bed.Type(
      {{"编辑框4", "新会员"}, {"编辑框5", "a&b+c="}, {"编辑框6", "a&b+c="}, {"编辑框7", kCaptcha}});
  Register(context, bed.loginView);
  ASSERT_EQ(bed.Messages("LoginWindow"),
            (std::vector<Message>{{"注册成功", {}, MessageIcon::kInformation}}));

  RefreshLoginCaptcha(context, bed.loginView);  // the registration spent the session's captcha
  bed.rec.Clear();
  bed.Type({{"编辑框1", "demo"}, {"编辑框2", "demo123"}, {"编辑框3", kCaptcha}});
  Login(context, bed.loginView);
  EXPECT_EQ(bed.rec.Events(), (std::vector<std::string>{"LoginWindow hidden", "标签1 feedback"}));

  // The code lives 5 s; the poll sees the scan that comes after 1 s, and the refresh follows.
  bed.context.timings.countdownTick = 50ms;
  RequestHostingQr(context, bed.mainView);
  ASSERT_TRUE(bed.rec.WaitFor(MessageEvent(PlainMessage("登录成功!"))));
  bed.runner.JoinAll();
  EXPECT_EQ(bed.Caption(MainCaption::kHostingStatus) + bed.rec.Read("图片框_二维码"), "0s");
  std::string shown =
      bed.Caption(MainCaption::kHostedTotal) + "/" + bed.Caption(MainCaption::kOnlineCount) + ":";
  for (const auto& row : bed.Rows(MainList::kHostedAccounts))
    shown += " " + row.at(0) + row.at(1);
  EXPECT_EQ(shown, "7/5: 1在线 2在线 3离线 4在线 5在线 6离线 7在线");

  LoadEarnings(context, *bed.mainView);
  EXPECT_EQ(bed.Rows(MainList::kEarnings).size(), 15U);
  const auto personalPage = [&] {
    LoadWithdrawals(context, *bed.mainView);
    std::string page = bed.Caption(MainCaption::kWithdrawnTotal) + "|" +
                       bed.Caption(MainCaption::kWithdrawable) + "|" +
                       bed.Caption(MainCaption::kPayoutName) + ":";
    for (const auto& row : bed.Rows(MainList::kWithdrawals))
      page += " " + row.at(2) + row.at(3) + row.at(4);
    return page;
  };
  const std::string records = " 10.00申请提现未打款 18.00申请通过打款中 12.00申请通过打款失败" +
                              std::string(" 15.00申请未通过未打款 20.00申请通过已打款");
  EXPECT_EQ(personalPage(), "48.00|120.90|张三:" + records);
  LoadWithdrawCaptcha(context, *bed.mainView);
  bed.rec.Write("提现验证码", kCaptcha);
  Withdraw(context, *bed.mainView);
  EXPECT_EQ(bed.Messages("MainWindow").back(), PlainMessage("提现成功!"));
  EXPECT_EQ(personalPage(), "168.90|0.00|张三: 120.90申请提现未打款" + records);

  RecordingDialog bind(bed.rec, "王五", "ww@example.com");
  BindPayoutAccount(context, bind);
  EXPECT_EQ(
      bed.Messages("dialog").back().text,
      R"({"attributes":null,"data":null,"msg":"已绑定支付宝，不能重复绑定","success":false})");
  RecordingDialog change(bed.rec, "新密码1", "新密码1");
  ChangePassword(context, change);
  EXPECT_EQ(bed.Messages("dialog").back(), PlainMessage("成功修改密码!"));
  EXPECT_EQ(bed.rec.CountOf("dialog closed"), 2);
  EXPECT_TRUE(bed.LogIn("demo", "新密码1") && bed.LogIn("新会员", "a&b+c="));
}

}  // namespace
}  // namespace hosting::platform::testing
