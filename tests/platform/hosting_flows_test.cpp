#include <gtest/gtest.h>

#include <algorithm>

#include "flow_test_bed.h"
#include "platform/hosting_qr_flow.h"
#include "support/scripted_platform.h"

namespace hosting::platform::testing {
namespace {

using namespace std::chrono_literals;
using Events = std::vector<std::string>;

const std::string kPicture = "图片框_二维码 picture", kCleared = "图片框_二维码 cleared",
                  kIdle = "透明标签5 0s", kEnabled = "按钮2 enabled",
                  kDimmed = "图片框_二维码 notice 二维码已失效，点击刷新",
                  kLive = "图片框_二维码 notice ", kRefresh = "托管状态 cleared",
                  kLoggedIn = MessageEvent(PlainMessage("登录成功!"));

// Up to the refresh that follows a login.
Events AfterTheCode(const Events& events) {
  Events after;
  bool stopped = false;
  for (auto event = std::ranges::find(events, kPicture) + 1;
       event < std::ranges::find(events, kRefresh); ++event) {
    stopped = stopped || *event == kIdle;
    if (stopped || event->find("秒后失效") == std::string::npos)
      after.push_back(*event);
  }
  return after;
}

// The phone scans the code after it expired or during its countdown: the poll sees the scan in
// both cases, only the countdown enables the button again and marks the code expired, and the
// login refreshes the list. (The client's journey waits for the code at
// the box's size.)
TEST(HostingQrTest, CodeIsDrawnCountedDownAndThePollSeesTheScan) {
  enum When { kExpired, kCounting };
  for (const auto& [when, after] :
       {std::pair{kExpired, Events{kIdle, kEnabled, kDimmed, kLoggedIn, kIdle, kLive, kCleared}},
        {kCounting, Events{kLoggedIn, kIdle, kLive, kCleared}}}) {
    FlowTestBed bed;
    const std::int64_t member = bed.LogInAs("host");
    bed.context.timings.countdownTick = when == kExpired ? 3ms : 50ms;
    RequestHostingQr(bed.context, bed.mainView);
    EXPECT_EQ(bed.rec.Read("按钮2"), "disabled");  // at once, before the worker runs
    ASSERT_TRUE(bed.rec.WaitFor(kPicture));
    if (when == kExpired) {
      ASSERT_TRUE(bed.rec.WaitFor(kEnabled));
      Events countdown, expected;
      std::ranges::copy_if(
          bed.rec.Events(), std::back_inserter(countdown),
          [](const std::string& event) { return event.find("秒后失效") != std::string::npos; });
      for (int left = 99; left >= 0; --left)
        expected.push_back("透明标签5 二维码预计" + std::to_string(left) + "秒后失效");
      EXPECT_EQ(countdown, expected);
    }
    bed.platform().hosting.ConfirmDue(member, 0, bed.platform().Now());
    ASSERT_TRUE(bed.rec.WaitFor(kLoggedIn));
    bed.runner.JoinAll();  // poll and countdown both end by themselves
    EXPECT_EQ(AfterTheCode(bed.rec.Events()), after) << when;
    EXPECT_EQ(bed.Rows(MainList::kHostedAccounts).size(), 1U);
    EXPECT_EQ(bed.Caption(MainCaption::kHostedTotal), "1");
    EXPECT_EQ(bed.rec.Read("按钮2") == "disabled", when == kCounting) << "the login stopped it";
  }
}

// A poll gives up once the code expired and its grace passed; shutdown ends it sooner.
TEST(HostingQrTest, PollGivesUpAfterTheCodeExpiredAndShutdownEndsItSooner) {
  for (const bool shutdown : {false, true}) {
    FlowTestBed bed;
    const std::int64_t member = bed.LogInAs("host");
    if (shutdown)
      bed.context.timings.countdownTick = bed.context.timings.pollGrace = 1h;
    RequestHostingQr(bed.context, bed.mainView);
    ASSERT_TRUE(bed.rec.WaitFor(kPicture));
    if (shutdown)
      bed.shutdown.request_stop();
    bed.runner.JoinAll();  // returns only because the poll ends
    bed.platform().hosting.ConfirmDue(member, 0, bed.platform().Now());
    EXPECT_EQ(bed.rec.CountOf(kLoggedIn), 0);
    EXPECT_EQ(bed.rec.Events().back(), shutdown ? kPicture : kDimmed);
  }
}

// The expired code is pressed (what 按钮2 does): a fresh code replaces it. The old code's scan,
// seen by its poll after that, logs in and refreshes but leaves the fresh code and its countdown.
TEST(HostingQrTest, AFreshCodeForAnExpiredOneSurvivesTheOldCodesLateScan) {
  FlowTestBed bed;
  const std::int64_t member = bed.LogInAs("host");
  bed.context.timings.pollGrace = 1h;
  RequestHostingQr(bed.context, bed.mainView);
  ASSERT_TRUE(bed.rec.WaitFor(kDimmed));
  bed.context.timings.countdownTick = 20ms;
  bed.rec.Clear();
  RequestHostingQr(bed.context, bed.mainView);
  ASSERT_TRUE(bed.rec.WaitFor(kPicture));
  Events pressed = bed.rec.Events();  // the fresh countdown may start before the drawing
  std::erase_if(pressed, [](const std::string& e) { return e.ends_with("秒后失效"); });
  EXPECT_EQ(Events(pressed.begin(), std::ranges::find(pressed, kPicture) + 1),
            (Events{"按钮2 disabled", kLive, kPicture}));
  const auto old = bed.platform().hosting.Find(member, 1);  // the member's first code
  ASSERT_TRUE(old && bed.platform().hosting.Find(member, 2)) << "the press opened a second code";

  ASSERT_EQ(bed.platform().hosting.Confirm(old->token, bed.platform().Now()),
            sandbox::ConfirmResult::kConfirmed);
  ASSERT_TRUE(bed.rec.WaitFor(kLoggedIn));
  ASSERT_TRUE(bed.rec.WaitFor("托管状态 row") && bed.rec.WaitFor("透明标签5 二维码预计99秒后失效"));
  const std::string caption = bed.rec.Read("透明标签5");
  const int left = std::stoi(caption.substr(caption.find_first_of("0123456789")));
  EXPECT_TRUE(bed.rec.WaitFor("透明标签5 二维码预计" + std::to_string(left - 2) + "秒后失效"))
      << "the fresh countdown goes on";
  bed.Finish();
  const Events events = bed.rec.Events();
  EXPECT_EQ(std::ranges::count(events, kCleared) + std::ranges::count(events, kIdle), 0)
      << "nothing stopped or cleared the fresh code";
  EXPECT_EQ(bed.rec.Read("按钮2"), "disabled");
}

TEST(HostingRefusalTest, AGeneratorErrorIsShownAndEnablesTheButton) {
  FlowTestBed blank(std::nullopt);
  testing_support::ScriptedPlatform canned([](std::string_view) {
    return net::testing::Reply{
        net::testing::HttpReply("200 OK", {"Content-Type: application/json;charset=UTF-8"},
                                R"({"msg":"获取成功","data":{"id":"7","login_qrcode":"   "}})")};
  });
  blank.context.endpoints.platformBaseUrl = canned.BaseUrl();
  blank.context.timings.countdownTick = 1h;
  HostingQrWorker(blank.context, blank.mainView);
  blank.runner.JoinAll();  // the countdown was stopped
  const auto messages = blank.Messages("MainWindow");
  ASSERT_EQ(messages.size(), 1U);
  EXPECT_EQ(messages[0].icon, MessageIcon::kStop);
  EXPECT_EQ(blank.rec.Events(),
            (Events{kIdle, kLive, kCleared, kEnabled, MessageEvent(messages[0])}));
}

}  // namespace
}  // namespace hosting::platform::testing
