// The hosting code, its countdown and poll, against the sandbox.
#include <gtest/gtest.h>

#include <algorithm>

#include "flow_test_bed.h"
#include "platform/hosting_qr_flow.h"
#include "support/scripted_platform.h"

namespace hosting::platform::testing {
namespace {

using namespace std::chrono_literals;
using Events = std::vector<std::string>;

const std::string kPicture = "图片框_二维码 picture";
const std::string kCleared = "图片框_二维码 cleared";
const std::string kIdle = "透明标签5 0s";
const std::string kEnabled = "按钮2 enabled";
const std::string kLoggedIn = MessageEvent(PlainMessage("登录成功!"));

std::string Attempt(int attempt) {
  return "透明标签5 正在第" + std::to_string(attempt) + "次申请二维码，请耐心等待";
}

// Events after the last occurrence of `event` (all events when it never occurred).
Events After(const Events& events, const std::string& event) {
  return {std::find(events.rbegin(), events.rend(), event).base(), events.end()};
}

class HostingQrTest : public ::testing::Test {
 protected:
  // Logs in and asks for a code, with the countdown ticking every `tick`.
  void Request(std::chrono::milliseconds tick) {
    member = bed.LogInAs("host");
    bed.context.timings.countdownTick = tick;
    RequestHostingQr(bed.context, bed.mainView);
    EXPECT_EQ(bed.rec.Read("按钮2"), "disabled");  // at once, before the worker runs
    ASSERT_TRUE(bed.rec.WaitFor(kPicture));
  }
  // The phone of the hosted account scans every code on screen.
  void Scan() { bed.platform().hosting.ConfirmDue(member, 0, bed.platform().Now()); }
  FlowTestBed bed;
  std::int64_t member = 0;
};

TEST_F(HostingQrTest, CodeIsDrawnCountedDownAndThePollSeesTheScanAfterwards) {
  Request(3ms);
  const std::string bmp = bed.rec.Read("图片框_二维码");
  EXPECT_EQ(static_cast<unsigned char>(bmp.at(18)) | static_cast<unsigned char>(bmp.at(19)) << 8,
            200);  // drawn at the box's width
  ASSERT_TRUE(bed.rec.WaitFor(kEnabled));
  Events expected;
  for (int left = 99; left >= 0; --left)
    expected.push_back("透明标签5 二维码预计" + std::to_string(left) + "秒后失效");
  expected.push_back(kIdle);
  Events captions;
  std::ranges::copy_if(bed.rec.Events(), std::back_inserter(captions),
                       [](const std::string& event) { return event.starts_with("透明标签5"); });
  EXPECT_EQ(captions, expected);
  Scan();
  ASSERT_TRUE(bed.rec.WaitFor(kLoggedIn));
  bed.runner.JoinAll();
  EXPECT_EQ(After(bed.rec.Events(), kEnabled), (Events{kLoggedIn, kIdle, kCleared}));
}

TEST_F(HostingQrTest, ScanDuringTheCountdownStopsItAndLeavesTheButtonDisabled) {
  Request(50ms);
  Scan();
  bed.runner.JoinAll();  // poll and countdown both end by themselves
  const Events events = bed.rec.Events();
  EXPECT_EQ(std::ranges::count(events, kLoggedIn), 1);
  EXPECT_EQ(After(events, kLoggedIn), (Events{kIdle, kCleared}));  // the countdown wrote no more
  EXPECT_EQ(std::ranges::count(events, kEnabled), 0);
}

TEST_F(HostingQrTest, ReleaseStopsTheCountdownButNotThePoll) {
  Request(50ms);
  ReleaseHostingQr(bed.context, *bed.mainView);
  EXPECT_EQ(After(bed.rec.Events(), kPicture), (Events{kIdle, kCleared, kEnabled}));
  Scan();
  ASSERT_TRUE(bed.rec.WaitFor(kLoggedIn));
  bed.runner.JoinAll();
  EXPECT_EQ(After(bed.rec.Events(), kEnabled), (Events{kLoggedIn, kIdle, kCleared}));
}

TEST_F(HostingQrTest, PollGivesUpAfterTheCodeExpiredAndShutdownEndsItSooner) {
  Request(3ms);
  bed.runner.JoinAll();  // returns only because the poll ends on its own
  Scan();
  EXPECT_EQ(bed.rec.CountOf(kLoggedIn), 0);
  EXPECT_EQ(bed.rec.Events().back(), kEnabled);

  FlowTestBed endless;
  endless.LogInAs("host");
  endless.context.timings.countdownTick = 1h;
  endless.context.timings.pollGrace = 1h;
  RequestHostingQr(endless.context, endless.mainView);
  ASSERT_TRUE(endless.rec.WaitFor(kPicture));
  endless.Finish();
  EXPECT_EQ(endless.rec.Events().back(), kPicture);
}

TEST(HostingRetryTest, SilentAnswersAreAskedAgainTwentyTimesThenAnEmptyMessageIsShown) {
  for (const int silent : {1, 1000}) {
    sandbox::SandboxConfig config;
    config.failQr = silent;
    FlowTestBed bed(config);
    bed.LogInAs("retry");
    HostingQrWorker(bed.context, bed.mainView);
    Events attempts;
    for (int attempt = 1; attempt <= std::min(silent, 20); ++attempt)
      attempts.push_back(Attempt(attempt));
    Events events = bed.rec.Events();
    if (silent > 20) {
      attempts.push_back(MessageEvent(PlainMessage("")));
    } else {  // answered after the first attempt
      EXPECT_EQ(bed.rec.CountOf(kPicture), 1);
      events.resize(attempts.size());
    }
    EXPECT_EQ(events, attempts);
  }
}

TEST(HostingRefusalTest, RefusalIsShownAtOnceAGeneratorErrorEnablesTheButton) {
  FlowTestBed bed;
  RequestHostingQr(bed.context, bed.mainView);  // nobody logged in
  bed.runner.JoinAll();
  EXPECT_EQ(bed.rec.Events(), (Events{"按钮2 disabled", MessageEvent(PlainMessage("请先登录"))}));

  FlowTestBed blank(std::nullopt);
  testing_support::ScriptedPlatform canned(testing_support::ScriptedPlatform::Always(
      R"({"msg":"获取成功","data":{"id":"7","login_qrcode":"   "}})"));
  blank.context.endpoints.platformBaseUrl = canned.BaseUrl();
  blank.context.timings.countdownTick = 1h;
  HostingQrWorker(blank.context, blank.mainView);
  blank.runner.JoinAll();  // the countdown was stopped
  const auto messages = blank.Messages("MainWindow");
  ASSERT_EQ(messages.size(), 1U);
  EXPECT_EQ(messages[0].title, "程序运行异常提示");
  EXPECT_EQ(messages[0].icon, MessageIcon::kStop);
  EXPECT_TRUE(messages[0].text.starts_with("异常来源：[")) << messages[0].text;
  EXPECT_EQ(blank.rec.Events(), (Events{kIdle, kCleared, kEnabled, MessageEvent(messages[0])}));
}

}  // namespace
}  // namespace hosting::platform::testing
