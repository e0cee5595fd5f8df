// QR codes of the hosting flow, the hosted-account list, the home counters and clearing.

#include "sandbox/sandbox_fixture.h"

namespace sandbox::testing {
namespace {

constexpr const char* kCode = "/custody/userapi/weixin/code.do?ajax=0.1234567890123456";
constexpr const char* kList = "/custody/userapi/weixin/list.do?ajax=0.6543210987654321";

class HostingTest : public SandboxTest {
 protected:
  static std::string Poll(const nlohmann::json& id) {
    return "xiaohao_id=" + std::to_string(id.get<std::int64_t>()) + "&action=qrcode";
  }
  static std::string TokenOf(const nlohmann::json& answer) {
    const std::string url = answer["data"]["login_qrcode"];
    return url.substr(url.find("code=") + 5);
  }
};

TEST_F(HostingTest, UserApiRefusesRequestsWithoutLogin) {
  Browser stranger(server());
  for (const auto& answer : {stranger.PostJson(kCode, "xiaohao_id=0&action=qrcode"),
                             stranger.PostJson(kList, "page=1&size=50"),
                             stranger.GetJson("/custody/userapi/weixin/clearwx.do?ajax=0.1")}) {
    EXPECT_EQ(answer["success"], false);
    EXPECT_EQ(answer["msg"], "请先登录");
  }
}

TEST_F(HostingTest, CodeIsConfirmedOnceAndThenListedOnline) {
  auto member = LoggedInMember("dave");
  const auto opened = member->PostJson(kCode, "xiaohao_id=0&action=qrcode");
  ASSERT_EQ(opened["msg"], "获取成功");
  EXPECT_EQ(opened["data"]["loginType"], 0);
  const std::string qr = opened["data"]["login_qrcode"];
  EXPECT_EQ(qr.rfind(server().BaseUrl() + "/custody/sandbox/scan?code=", 0), 0u) << qr;

  auto poll = member->PostJson(kCode, Poll(opened["data"]["id"]));
  EXPECT_EQ(poll["data"]["loginType"], 0);
  EXPECT_EQ(poll["data"]["id"], opened["data"]["id"]);
  EXPECT_TRUE(member->PostJson(kList, "page=1&size=50").empty());

  EXPECT_EQ(platform().hosting.Confirm(TokenOf(opened), Now()), ConfirmResult::kConfirmed);
  EXPECT_EQ(platform().hosting.Confirm(TokenOf(opened), Now()), ConfirmResult::kAlreadyConfirmed);
  poll = member->PostJson(kCode, Poll(opened["data"]["id"]));
  EXPECT_EQ(poll["data"]["loginType"], 1);

  const auto list = member->PostJson(kList, "page=1&size=50");
  ASSERT_TRUE(list.is_array());
  ASSERT_EQ(list.size(), 1u);
  EXPECT_EQ(list[0]["id"], opened["data"]["id"]);
  EXPECT_EQ(list[0]["is_stop"], 0);
  EXPECT_FALSE(list[0]["nickname"].get<std::string>().empty());
  const std::string avatar = list[0]["headimg"];
  EXPECT_EQ(avatar.rfind(server().BaseUrl() + "/custody/", 0), 0u) << avatar;
}

TEST_F(HostingTest, CodesExpireAfterOneHundredSeconds) {
  auto member = LoggedInMember("erin");
  const auto opened = member->PostJson(kCode, "xiaohao_id=0&action=qrcode");
  Advance(99'999);
  EXPECT_EQ(member->PostJson(kCode, Poll(opened["data"]["id"]))["data"]["loginType"], 0);
  Advance(1);
  EXPECT_EQ(member->PostJson(kCode, Poll(opened["data"]["id"]))["data"]["loginType"], 2);
  EXPECT_EQ(platform().hosting.Confirm(TokenOf(opened), Now()), ConfirmResult::kExpired);
  EXPECT_TRUE(member->PostJson(kList, "page=1&size=50").empty());
}

TEST_F(HostingTest, MembersSeeOnlyTheirOwnCodesAndAccounts) {
  auto owner = LoggedInMember("frank");
  auto other = LoggedInMember("grace");
  const auto opened = owner->PostJson(kCode, "xiaohao_id=0&action=qrcode");
  platform().hosting.Confirm(TokenOf(opened), Now());
  const auto peek = other->PostJson(kCode, Poll(opened["data"]["id"]));
  EXPECT_EQ(peek["success"], false);
  EXPECT_FALSE(peek["data"].is_object());
  EXPECT_TRUE(other->PostJson(kList, "page=1&size=50").empty());
  EXPECT_EQ(owner->PostJson(kList, "page=1&size=50").size(), 1u);
}

TEST_F(HostingTest, BadCodeRequestsAreRefusedWithoutOpeningCodes) {
  auto member = LoggedInMember("heidi");
  for (const char* body :
       {"", "xiaohao_id=0", "xiaohao_id=abc&action=qrcode", "xiaohao_id=-1&action=qrcode",
        "xiaohao_id=0&action=other", "xiaohao_id=99999999999999999999&action=qrcode"}) {
    EXPECT_EQ(member->PostJson(kCode, body)["success"], false) << body;
  }
  EXPECT_EQ(platform().hosting.Count(*platform().members.FindId("heidi")).total, 0);
}

TEST_F(HostingTest, ScanPageConfirmsAndAdminAndClearingChangeTheList) {
  auto member = LoggedInMember("judy");
  const auto opened = member->PostJson(kCode, "xiaohao_id=0&action=qrcode");
  httplib::Client phone("127.0.0.1", server().port());
  const std::string path = "/custody/sandbox/scan?code=" + TokenOf(opened);
  const auto page = phone.Get(path);
  ASSERT_TRUE(page);
  EXPECT_NE(page->body.find("确认登录"), std::string::npos);
  EXPECT_NE(page->body.find("judy"), std::string::npos);
  const auto confirmed = phone.Post("/custody/sandbox/scan", "code=" + TokenOf(opened),
                                    "application/x-www-form-urlencoded");
  ASSERT_TRUE(confirmed);
  EXPECT_EQ(confirmed->status, 200);
  EXPECT_EQ(member->PostJson(kCode, Poll(opened["data"]["id"]))["data"]["loginType"], 1);

  const auto avatar =
      phone.Get(member->PostJson(kList, "page=1&size=50")[0]["headimg"].get<std::string>().substr(
          server().BaseUrl().size()));
  ASSERT_TRUE(avatar);
  EXPECT_EQ(avatar->body.substr(0, 2), "BM");

  const std::string id = std::to_string(opened["data"]["id"].get<std::int64_t>());
  const auto offline = phone.Post("/custody/sandbox/account", "id=" + id + "&online=0",
                                  "application/x-www-form-urlencoded");
  ASSERT_TRUE(offline);
  EXPECT_EQ(offline->status, 303);
  EXPECT_EQ(member->PostJson(kList, "page=1&size=50")[0]["is_stop"], 1);
  const auto home = member->Post("/custody/pageController.do?index", "");
  ASSERT_TRUE(home);
  EXPECT_NE(home->body.find("当前托管小号总数：<span>1</span>"), std::string::npos);
  EXPECT_NE(home->body.find("当前在线小号总数：<span id=\"wxonline\">0</span>"), std::string::npos);

  const auto cleared = member->GetJson("/custody/userapi/weixin/clearwx.do?ajax=0.5");
  EXPECT_EQ(cleared["success"], true);
  EXPECT_TRUE(member->PostJson(kList, "page=1&size=50").empty());
}

TEST_F(HostingTest, ListPagesHoldAtMostTheAskedSize) {
  auto member = LoggedInMember("ivan");
  for (int i = 0; i < 7; ++i) {
    const auto opened = member->PostJson(kCode, "xiaohao_id=0&action=qrcode");
    platform().hosting.Confirm(TokenOf(opened), Now());
  }
  EXPECT_EQ(member->PostJson(kList, "page=1&size=5").size(), 5u);
  EXPECT_EQ(member->PostJson(kList, "page=2&size=5").size(), 2u);
  EXPECT_EQ(member->PostJson(kList, "page=1&size=50").size(), 7u);
}

class AutoScanTest : public HostingTest {
 protected:
  void Configure(SandboxConfig& config) override {
    config.autoScanSeconds = 5;
    config.failQr = 2;
  }
};

TEST_F(AutoScanTest, FirstCodeRequestsFailThenCodesConfirmThemselves) {
  auto member = LoggedInMember("kate");
  for (int i = 0; i < 2; ++i) {
    const auto silent = member->Post(kCode, "xiaohao_id=0&action=qrcode");
    ASSERT_TRUE(silent);
    EXPECT_TRUE(silent->body.empty());
  }
  const auto opened = member->PostJson(kCode, "xiaohao_id=0&action=qrcode");
  ASSERT_EQ(opened["msg"], "获取成功");
  Advance(4'999);
  EXPECT_EQ(member->PostJson(kCode, Poll(opened["data"]["id"]))["data"]["loginType"], 0);
  Advance(1);
  EXPECT_EQ(member->PostJson(kCode, Poll(opened["data"]["id"]))["data"]["loginType"], 1);
  EXPECT_EQ(member->PostJson(kList, "page=1&size=50").size(), 1u);
}

}  // namespace
}  // namespace sandbox::testing
