// The hosting code, its countdown and poll, against the sandbox.
#include <gtest/gtest.h>

#include <algorithm>

#include "flow_test_bed.h"
#include "platform/hosting_qr_flow.h"

namespace hosting::platform::testing {
namespace {

using namespace std::chrono_literals;

const std::string kPicture = "图片框_二维码 picture";
const std::string kCleared = "图片框_二维码 cleared";
const std::string kIdle = "透明标签5 0s";
const std::string kEnabled = "按钮2 enabled";
const std::string kLoggedIn = MessageEvent(PlainMessage("登录成功!"));

std::string Countdown(int seconds) {
  return "透明标签5 二维码预计" + std::to_string(seconds) + "秒后失效";
}

std::string Attempt(int attempt) {
  return "透明标签5 正在第" + std::to_string(attempt) + "次申请二维码，请耐心等待";
}

// Events after the last occurrence of `event` (all events when it never occurred).
std::vector<std::string> After(const std::vector<std::string>& events, const std::string& event) {
  const auto last = std::find(events.rbegin(), events.rend(), event);
  return {last.base(), events.end()};
}

int BmpWidth(const std::string& bmp) {
  return bmp.size() < 22
             ? 0
             : static_cast<unsigned char>(bmp[18]) | static_cast<unsigned char>(bmp[19]) << 8;
}

class HostingQrTest : public ::testing::Test {
 protected:
  void LogIn() {
    bed.LogInAs("host");
    member = bed.MemberId("host");
  }
  // The phone of the hosted account scans every code on screen.
  void Scan() { bed.platform().hosting.ConfirmDue(member, 0, bed.platform().Now()); }
  FlowTestBed bed;
  std::int64_t member = 0;
};

TEST_F(HostingQrTest, CodeIsDrawnCountedDownAndThePollSeesTheScan) {
  LogIn();
  RequestHostingQr(bed.context, bed.mainView);
  EXPECT_FALSE(bed.mainView->HostingButtonEnabled());  // at once, before the worker runs
  ASSERT_TRUE(bed.log.WaitFor(kPicture));
  EXPECT_EQ(BmpWidth(bed.mainView->QrPicture()), 200);
  ASSERT_TRUE(bed.log.WaitFor(kEnabled));

  std::vector<std::string> expected;
  for (int left = 99; left >= 0; --left) {
    expected.push_back(Countdown(left));
  }
  expected.push_back(kIdle);
  std::vector<std::string> captions;
  for (const auto& event : bed.log.Events()) {
    if (event.starts_with("透明标签5")) {
      captions.push_back(event);
    }
  }
  EXPECT_EQ(captions, expected);

  // The poll goes on after the countdown.
  Scan();
  ASSERT_TRUE(bed.log.WaitFor(kLoggedIn));
  bed.runner.JoinAll();
  const std::vector<std::string> end{kLoggedIn, kIdle, kCleared};
  EXPECT_EQ(After(bed.log.Events(), kEnabled), end);
}

TEST_F(HostingQrTest, ScanDuringTheCountdownStopsItAndLeavesTheButtonDisabled) {
  LogIn();
  bed.context.timings.countdownTick = 50ms;
  RequestHostingQr(bed.context, bed.mainView);
  ASSERT_TRUE(bed.log.WaitFor(kPicture));
  Scan();
  bed.runner.JoinAll();  // poll and countdown both end by themselves
  const auto events = bed.log.Events();
  EXPECT_EQ(std::count(events.begin(), events.end(), kLoggedIn), 1);
  const std::vector<std::string> end{kIdle, kCleared};
  EXPECT_EQ(After(events, kLoggedIn), end);  // the stopped countdown wrote nothing after
  EXPECT_EQ(std::count(events.begin(), events.end(), kEnabled), 0);
  EXPECT_EQ(bed.mainView->QrPicture(), "");
}

TEST_F(HostingQrTest, ReleaseStopsTheCountdownButNotThePoll) {
  LogIn();
  bed.context.timings.countdownTick = 50ms;
  RequestHostingQr(bed.context, bed.mainView);
  ASSERT_TRUE(bed.log.WaitFor(kPicture));
  ReleaseHostingQr(bed.context, *bed.mainView);
  const std::vector<std::string> released{kIdle, kCleared, kEnabled};
  EXPECT_EQ(After(bed.log.Events(), kPicture), released);

  Scan();
  ASSERT_TRUE(bed.log.WaitFor(kLoggedIn));
  bed.runner.JoinAll();
  const std::vector<std::string> end{kLoggedIn, kIdle, kCleared};
  EXPECT_EQ(After(bed.log.Events(), kEnabled), end);
}

TEST_F(HostingQrTest, PollGivesUpSomeTimeAfterTheCodeExpired) {
  LogIn();
  RequestHostingQr(bed.context, bed.mainView);
  ASSERT_TRUE(bed.log.WaitFor(kPicture));
  bed.runner.JoinAll();  // returns only because the poll ends on its own
  Scan();
  EXPECT_EQ(bed.log.CountOf(kLoggedIn), 0);
  EXPECT_EQ(bed.log.Events().back(), kEnabled);
}

TEST_F(HostingQrTest, ShutdownEndsPollAndCountdown) {
  LogIn();
  bed.context.timings.countdownTick = 1h;
  bed.context.timings.pollGrace = 1h;
  RequestHostingQr(bed.context, bed.mainView);
  ASSERT_TRUE(bed.log.WaitFor(kPicture));
  bed.Finish();
  EXPECT_EQ(bed.log.Events().back(), kPicture);
}

TEST_F(HostingQrTest, SilentPlatformIsAskedAgainUntilItAnswers) {
  sandbox::SandboxConfig config;
  config.failQr = 1;
  FlowTestBed failing(config);
  failing.LogInAs("retry");
  RequestHostingQr(failing.context, failing.mainView);
  ASSERT_TRUE(failing.log.WaitFor("图片框_二维码 picture"));
  EXPECT_EQ(failing.log.CountOf(Attempt(1)), 1);
  EXPECT_EQ(failing.log.CountOf(Attempt(2)), 0);
}

TEST_F(HostingQrTest, TwentySilentAnswersEndInAnEmptyMessage) {
  sandbox::SandboxConfig config;
  config.failQr = 1000;
  FlowTestBed failing(config);
  failing.LogInAs("silent");
  HostingQrWorker(failing.context, failing.mainView);
  const auto events = After(failing.log.Events(), "标签1 feedback");
  std::vector<std::string> expected;
  for (int attempt = 1; attempt <= 20; ++attempt) {
    expected.push_back(Attempt(attempt));
  }
  expected.push_back(MessageEvent(PlainMessage("")));
  EXPECT_EQ(events, expected);
}

TEST_F(HostingQrTest, RefusalIsShownAtOnceAndTheButtonStaysDisabled) {
  RequestHostingQr(bed.context, bed.mainView);  // nobody logged in
  bed.runner.JoinAll();
  const std::vector<std::string> expected{"按钮2 disabled", MessageEvent(PlainMessage("请先登录"))};
  EXPECT_EQ(bed.log.Events(), expected);
}

TEST_F(HostingQrTest, GeneratorErrorIsReportedAndEndsTheFlowWithTheButtonEnabled) {
  CannedPlatform canned(R"({"msg":"获取成功","data":{"id":"7","login_qrcode":"   "}})");
  bed.UsePlatform(canned.BaseUrl());
  bed.context.timings.countdownTick = 1h;
  HostingQrWorker(bed.context, bed.mainView);
  bed.runner.JoinAll();  // the countdown was stopped
  const auto messages = bed.mainView->Messages();
  ASSERT_EQ(messages.size(), 1U);
  EXPECT_EQ(messages[0].title, "程序运行异常提示");
  EXPECT_EQ(messages[0].icon, MessageIcon::kStop);
  EXPECT_TRUE(messages[0].text.starts_with("异常来源：[")) << messages[0].text;
  const std::vector<std::string> expected{kIdle, kCleared, kEnabled, MessageEvent(messages[0])};
  EXPECT_EQ(bed.log.Events(), expected);
}

}  // namespace
}  // namespace hosting::platform::testing
