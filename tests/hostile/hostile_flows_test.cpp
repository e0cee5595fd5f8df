// Every flow against every kind of hostile answer (the parameter): the member sees only what the
// flow recognises, datas.ini stays byte for byte as it was and SessionCookie stays whole.
#include <gtest/gtest.h>

#include <set>
#include <thread>

#include "app/settings_file.h"
#include "flow_test_bed.h"
#include "hostile/hostile_answers.h"
#include "platform/account_flows.h"
#include "platform/captcha_flows.h"
#include "platform/earnings_flows.h"
#include "platform/hosted_accounts_flows.h"
#include "platform/hosting_qr_flow.h"
#include "platform/platform_requests.h"
#include "platform/startup_flow.h"

namespace hosting::hostile {
namespace {

using namespace platform;
using platform::testing::FlowTestBed;
using testing_support::MessageEvent;
using H = Hostility;
using Rows = testing_support::Rows;
using Messages = std::vector<Message>;

const std::string kR = "\xEF\xBF\xBD";  // U+FFFD
const std::string kUnset = "<unset>";
constexpr const char* kSessionBefore = "JSESSIONID=session1; token=t2";

// A cookie text as its set of "name=value" pairs.
std::set<std::string> CookiePairs(const std::string& text) {
  std::set<std::string> pairs;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = std::min(text.find("; ", start), text.size());
    pairs.insert(text.substr(start, end - start));
    start = end + 2;
  }
  return pairs;
}

// One flow against one kind of answer, from the platform and the version service alike. Only a
// silent server waits out the time-out, so only it gets a short one: a 50 MB answer under a slow
// (sanitized) build is not cut short.
struct Cell {
  explicit Cell(Hostility k) : kind(k) {
    app::WriteSetting(bed.settingsFile, app::kSettingsSection, app::kUserNameKey, "老用户");
    app::WriteSetting(bed.settingsFile, app::kSettingsSection, app::kPasswordKey, "old pw");
    settingsBefore = testing_support::FileBytes(bed.settingsFile);
    bed.cookie.Replace(kSessionBefore);
    if (kind == H::kSilent) {
      bed.context.requestTimeout = std::chrono::seconds(1);
    }
    bed.context.timings.retryAttempts = 2;
    bed.context.timings.pollGrace = std::chrono::minutes(1);  // polls end with the test
    Serve(0);
  }
  // Replaces the platform; its first `acceptedFirst` answers are the accepted ones.
  void Serve(int acceptedFirst) {
    platform = ServeHostile(kind, {.acceptedFirst = acceptedFirst});
    bed.context.endpoints = {platform->BaseUrl(), platform->BaseUrl(), ""};
  }
  bool Is(std::initializer_list<Hostility> kinds) const {
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
  }
  // The refusal text the kind carries in "msg", as the member reads it ("" when none).
  std::string Refusal() const {
    return Is({H::kBadUtf8})           ? kR + kR + "坏"
           : Is({H::kBadGbk})          ? kR + " " + kR
           : Is({H::kNumbersForTexts}) ? "404"
           : Is({H::kObjectForList})   ? R"(["登录成功"])"
                                       : "";
  }
  std::string Picture(const char* box) const { return bed.rec.Read(box); }
  // A picture box takes what came: nothing, the accepted picture or the whole 50 MB.
  void ExpectPictureOfWhatCame(const std::string& picture) const {
    if (Is({H::kRefused, H::kSilent})) {
      EXPECT_EQ(picture, "");
    } else if (Is({H::kCookieFlood})) {
      EXPECT_EQ(picture, PngPicture());
    } else if (Is({H::kHugeBody})) {
      EXPECT_EQ(picture.size(), kHugeBodyBytes);
    }
  }
  // A dialog flow shows the confirmation for an acceptance and otherwise the answer as it came
  // (at most a message box's worth of it), then closes.
  void ExpectAnswerShownAndClosed(const std::string& confirmation) const {
    const Messages shown = bed.Messages("dialog");
    ASSERT_EQ(shown.size(), 1U);
    const std::string& text = shown.front().text;
    if (Is({H::kCookieFlood})) {
      EXPECT_EQ(text, confirmation);
    } else if (Is({H::kRefused, H::kSilent})) {
      EXPECT_EQ(text, "");
    } else if (Is({H::kHugeBody, H::kDeepNesting, H::kManyRows})) {
      EXPECT_EQ(text.size(), kShownAnswerBytes + std::string("…").size());
      EXPECT_TRUE(text.ends_with("…"));
    } else {
      EXPECT_LE(text.size(), kShownAnswerBytes);
      EXPECT_NE(text, confirmation);
    }
    EXPECT_EQ(bed.rec.Events().back(), "dialog closed");
  }
  // What holds for every flow: datas.ini as it was, SessionCookie as it was or with every flood
  // cookie merged in, nothing between.
  void ExpectUntouched() {
    bed.Finish();
    if (!settingsMayChange) {
      EXPECT_EQ(testing_support::FileBytes(bed.settingsFile), settingsBefore);
    }
    std::set<std::string> flooded = CookiePairs(sessionBefore);
    for (const std::string& cookie : FloodCookies())
      flooded.insert(cookie);
    const std::string now = bed.cookie.Read();
    EXPECT_TRUE(CookiePairs(now) == CookiePairs(sessionBefore) || CookiePairs(now) == flooded)
        << now.size() << " bytes, beginning " << now.substr(0, 120);
  }

  Hostility kind;
  FlowTestBed bed{std::nullopt};
  std::unique_ptr<testing_support::ScriptedPlatform> platform;
  std::string settingsBefore, sessionBefore = kSessionBefore;
  bool settingsMayChange = false;  // an accepted login saves the credentials
};

Message Warning(std::string text) {
  return {std::move(text), kHintTitle, MessageIcon::kWarning};
}

void Startup(Cell& c) {
  c.bed.cookie.Replace("");
  c.sessionBefore = "";  // the session opens afresh
  StartupWorker(c.bed.context, c.bed.loginView);
  EXPECT_EQ(c.bed.loginView.UserName() + "/" + c.bed.loginView.Password(), "老用户/old pw");
  EXPECT_EQ(c.bed.rec.Read("状态条1"), c.Is({H::kCookieFlood}) ? "版本：9.9.9@70|升级@295|" : "");
  EXPECT_EQ(c.Picture("图片框2"), c.Picture("图片框1"));
  if (c.Is({H::kRefused, H::kSilent})) {
    EXPECT_EQ(c.Picture("图片框1"), "");
  }
  EXPECT_EQ(c.bed.Messages("LoginWindow"), Messages{});
}

void LogIn(Cell& c) {
  for (const auto& [box, text] :
       {std::pair{"编辑框1", "新用户"}, {"编辑框2", "pw&1"}, {"编辑框3", "c"}, {"选择框1", "1"}})
    c.bed.rec.Write(box, text);
  Login(c.bed.context, c.bed.loginView);
  const bool accepted = c.Is({H::kCookieFlood});
  c.settingsMayChange = accepted;
  EXPECT_EQ(c.bed.rec.CountOf("标签1 feedback"), accepted ? 1 : 0);
  const std::string refusal = c.Refusal();
  // Only a boolean "success" counts: a number or an object is no answer.
  const bool noAnswer = refusal.empty() || c.Is({H::kNumbersForTexts, H::kObjectForList});
  EXPECT_EQ(c.bed.Messages("LoginWindow"),
            accepted ? Messages{} : Messages{Warning(noAnswer ? kNoLoginAnswerText : refusal)});
  if (accepted) {
    EXPECT_EQ(app::ReadSetting(c.bed.settingsFile, app::kSettingsSection, app::kPasswordKey),
              "pw&1");
  }
}

void SignUp(Cell& c) {
  for (const char* box : {"编辑框4", "编辑框5", "编辑框6", "编辑框7"})
    c.bed.rec.Write(box, "p");
  Register(c.bed.context, c.bed.loginView);
  const std::string refusal = c.Refusal();
  EXPECT_EQ(c.bed.Messages("LoginWindow"),
            (Messages{c.Is({H::kCookieFlood})
                          ? Message{"注册成功", "", MessageIcon::kInformation}
                          : Warning(refusal.empty() ? kNoRegisterAnswerText : refusal)}));
}

void Captchas(Cell& c) {
  RefreshLoginCaptcha(c.bed.context, c.bed.loginView);
  RefreshRegisterCaptcha(c.bed.context, c.bed.loginView);
  RefreshWithdrawCaptcha(c.bed.context, *c.bed.mainView);
  c.ExpectPictureOfWhatCame(c.Picture("图片框3"));
  LoadWithdrawCaptcha(c.bed.context, *c.bed.mainView);
  for (const char* box : {"图片框1", "图片框2", "图片框3"})
    c.ExpectPictureOfWhatCame(c.Picture(box));
  EXPECT_EQ(c.bed.rec.Shown().size(), 0U);
}

void NewPassword(Cell& c) {
  platform::testing::RecordingChangePasswordView dialog(c.bed.rec, "新密码", "新密码");
  ChangePassword(c.bed.context, dialog);
  c.ExpectAnswerShownAndClosed("成功修改密码!");
}

void Bind(Cell& c) {
  platform::testing::RecordingBindView dialog(c.bed.rec, "王五", "pay@example.com");
  BindPayoutAccount(c.bed.context, dialog);
  c.ExpectAnswerShownAndClosed("绑定成功!");
}

// No usable first answer: the attempts are shown, then the (empty) "msg"; a refusal is shown at
// once. Nothing is drawn and the button stays disabled, until the platform grants a code.
void Hosting(Cell& c) {
  RequestHostingQr(c.bed.context, c.bed.mainView);
  c.bed.runner.JoinAll();
  const bool granted = c.Is({H::kCookieFlood});
  const std::string refusal = c.Refusal();
  EXPECT_EQ(c.bed.Messages("MainWindow"), Messages{PlainMessage(granted ? "登录成功!" : refusal)});
  EXPECT_EQ(c.bed.rec.CountOf("图片框_二维码 picture"), granted ? 1 : 0);
  if (granted) {
    return;
  }
  EXPECT_EQ(c.bed.rec.CountOf("透明标签5 正在第2次申请二维码，请耐心等待"),
            refusal.empty() ? 1 : 0);
  if (refusal.empty() && !c.Is({H::kRefused})) {
    EXPECT_EQ(c.platform->RequestCount(), 3);  // the first request and one per attempt
  }
  EXPECT_EQ(c.bed.rec.Read("按钮2"), "disabled");
}

// Once the code is drawn, a bad poll answer is just followed by the next poll; only "1" ends it.
void HostingPoll(Cell& c) {
  if (c.Is({H::kRefused})) {
    return;  // a refused platform grants no code to poll for
  }
  c.Serve(1);
  RequestHostingQr(c.bed.context, c.bed.mainView);
  if (c.Is({H::kCookieFlood})) {
    ASSERT_TRUE(c.bed.rec.WaitFor(MessageEvent(PlainMessage("登录成功!"))));
  } else {
    ASSERT_TRUE(c.platform->WaitForRequests(3));  // the code and two polls
    c.bed.Finish();
    EXPECT_EQ(c.bed.Messages("MainWindow"), Messages{});
  }
  c.bed.runner.JoinAll();
  EXPECT_EQ(c.bed.rec.CountOf("图片框_二维码 picture"), 1);
}

void HostedAccounts(Cell& c) {
  LoadHostedAccounts(c.bed.context, *c.bed.mainView);
  const Rows rows = c.bed.Rows(MainList::kHostedAccounts);
  if (c.Is({H::kCookieFlood})) {
    EXPECT_EQ(rows, (Rows{{"101", "在线", "小号", "http://127.0.0.1:1/a.png"}}));
  } else if (c.Is({H::kBadUtf8})) {
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(rows[0][1] + rows[0][2], "离线" + kR + "小号" + kR + "(");
  } else if (c.Is({H::kNumbersForTexts})) {
    EXPECT_EQ(rows, (Rows{{"42", "离线", "42", "42"}}));
  } else {
    EXPECT_EQ(rows.size(), c.Is({H::kManyRows}) ? 50U : 0U);  // at most the page asked for
  }
}

void HomeCounters(Cell& c) {
  LoadHomeCounters(c.bed.context, *c.bed.mainView);
  const std::string total = c.bed.Caption(MainCaption::kHostedTotal);
  const std::string online = c.bed.Caption(MainCaption::kOnlineCount);
  if (c.Is({H::kCookieFlood})) {
    EXPECT_EQ(total + "/" + online, "12/3");
  } else if (c.Is({H::kBadUtf8})) {
    EXPECT_EQ(total, kR + kR + "12");
  } else if (c.Is({H::kBadGbk})) {
    EXPECT_TRUE(total.starts_with(kR) && total.ends_with("12") && online.ends_with("3")) << total;
  } else {
    EXPECT_EQ(total + "/" + online, c.Is({H::kLeftMarkerOnly}) ? "/" : kUnset + "/" + kUnset);
  }
}

void Avatar(Cell& c) {
  c.bed.mainView->AppendRow(MainList::kHostedAccounts,
                            {"1", "在线", "n", c.platform->Url("/avatar.png")});
  c.bed.rec.Write("托管状态 selected", "0");
  ShowSelectedAvatar(c.bed.context, *c.bed.mainView);
  EXPECT_EQ(c.bed.rec.Read("图片框_二维码 mode"), "1");  // scaled to fill
  c.ExpectPictureOfWhatCame(c.Picture("图片框_二维码"));
}

void Earnings(Cell& c) {
  LoadEarnings(c.bed.context, *c.bed.mainView);
  const Rows rows = c.bed.Rows(MainList::kEarnings);
  if (c.Is({H::kCookieFlood, H::kBadUtf8, H::kNumbersForTexts})) {
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(rows[0][0] + rows[0][1] + rows[0][2] == "1任务1.5", c.Is({H::kCookieFlood}));
  } else {
    EXPECT_EQ(rows.size(), c.Is({H::kManyRows}) ? std::size_t{kManyRowCount} : 0U);
  }
}

void Withdrawals(Cell& c) {
  LoadWithdrawals(c.bed.context, *c.bed.mainView);
  const Rows rows = c.bed.Rows(MainList::kWithdrawals);
  const bool oneRow = c.Is({H::kCookieFlood, H::kBadUtf8, H::kNumbersForTexts});
  ASSERT_EQ(rows.size(), c.Is({H::kManyRows}) ? std::size_t{kManyRowCount} : oneRow ? 1U : 0U);
  if (c.Is({H::kManyRows})) {
    EXPECT_EQ(rows.back()[0], std::to_string(kManyRowCount));  // numbered on
  }
  const std::vector<std::string> figures{"100.00", "20.50", "1.25", "pay@example.com", "王五"};
  for (std::size_t i = 0; i < figures.size(); ++i) {
    const std::string caption = c.bed.Caption(std::vector{
        MainCaption::kWithdrawnTotal, MainCaption::kWithdrawable, MainCaption::kEarnedToday,
        MainCaption::kPayoutAccount, MainCaption::kPayoutName}[i]);
    if (c.Is({H::kCookieFlood})) {
      EXPECT_EQ(caption, figures[i]);
    } else if (c.Is({H::kBadUtf8, H::kBadGbk})) {
      EXPECT_TRUE(caption.starts_with(kR) && caption.ends_with(figures[i])) << caption;
    } else {
      EXPECT_EQ(caption, c.Is({H::kLeftMarkerOnly}) ? "" : kUnset);
    }
  }
  if (c.Is({H::kCookieFlood})) {
    EXPECT_EQ(rows[0][3] + rows[0][4], "申请通过打款中");
  }
}

void WithdrawMoney(Cell& c) {
  c.bed.rec.Write("提现验证码", "c");
  Withdraw(c.bed.context, *c.bed.mainView);
  EXPECT_EQ(c.bed.Messages("MainWindow"),
            c.Is({H::kCookieFlood}) ? Messages{PlainMessage("提现成功!")} : Messages{});
}

using Flow = void (*)(Cell&);
// A 50 MB answer costs seconds of copying, so it goes to a dialog that once showed it whole and to
// a picture, which takes it whole (deep and long answers check the bound on the other dialogs).
const struct {
  const char* name;
  Flow flow;
  bool hugeBody = false;
} kFlows[] = {{"start-up", Startup},
              {"login", LogIn},
              {"registration", SignUp},
              {"captchas", Captchas},
              {"change password", NewPassword, true},
              {"bind", Bind},
              {"hosting", Hosting},
              {"hosting poll", HostingPoll},
              {"hosted list", HostedAccounts},
              {"home counters", HomeCounters},
              {"avatar", Avatar, true},
              {"earnings", Earnings},
              {"withdrawals", Withdrawals},
              {"withdrawal", WithdrawMoney}};

class HostileFlowsTest : public ::testing::TestWithParam<Hostility> {};

// The flows run side by side, each in its own bed.
TEST_P(HostileFlowsTest, EveryFlowShowsOnlyWhatItRecognisesAndKeepsSettingsAndSession) {
  std::vector<std::jthread> flows;
  for (const auto& [name, flow, hugeBody] : kFlows) {
    if (GetParam() == H::kHugeBody && !hugeBody)
      continue;
    flows.emplace_back([kind = GetParam(), name, flow] {
      SCOPED_TRACE(name);
      Cell cell(kind);
      flow(cell);
      if (std::set<Flow>{HostedAccounts, HomeCounters, Avatar, Earnings, Withdrawals}.contains(
              flow)) {
        EXPECT_EQ(cell.bed.rec.Shown().size(), 0U);
      }
      cell.ExpectUntouched();
    });
  }
}

INSTANTIATE_TEST_SUITE_P(Answers, HostileFlowsTest, ::testing::ValuesIn(AllHostilities()),
                         [](const auto& param) { return Name(param.param); });

}  // namespace
}  // namespace hosting::hostile
