// The flows of MainWindow and BindAlipayDialog against every kind of hostile answer.
#include <gtest/gtest.h>

#include "hostile/hostile_fixture.h"
#include "platform/earnings_flows.h"
#include "platform/hosted_accounts_flows.h"
#include "platform/hosting_qr_flow.h"

namespace hosting::hostile {
namespace {

using platform::MainCaption;
using platform::MainList;
using platform::Message;
using platform::PlainMessage;
using platform::testing::RecordingBindView;
using H = Hostility;
using Rows = std::vector<std::vector<std::string>>;

constexpr const char* kUnset = "<unset>";
const std::string kLoggedIn = "登录成功!";

using HostingTest = HostileFlowTest;

// No usable first answer: the attempts are shown, then the (empty) "msg"; a refusal is shown at
// once. Nothing is drawn and the button stays disabled, until the platform grants a code.
TEST_P(HostingTest, OnlyAGrantedCodeIsDrawn) {
  platform::RequestHostingQr(bed.context, bed.mainView);
  bed.runner.JoinAll();
  const auto& view = *bed.mainView;
  if (Is({H::kCookieFlood})) {
    EXPECT_EQ(MainMessages(), std::vector<Message>{PlainMessage(kLoggedIn)});
    EXPECT_EQ(bed.log.CountOf("图片框_二维码 picture"), 1);
    return;
  }
  const std::string refusal = RefusalText(kind());
  EXPECT_EQ(MainMessages(), std::vector<Message>{PlainMessage(refusal)});
  EXPECT_EQ(bed.log.CountOf("透明标签5 正在第2次申请二维码，请耐心等待"), refusal.empty() ? 1 : 0);
  if (refusal.empty() && !Is({H::kRefused})) {
    EXPECT_EQ(platform->RequestCount(), 3);  // the first request and one per attempt
  }
  EXPECT_EQ(bed.log.CountOf("图片框_二维码 picture"), 0);
  EXPECT_FALSE(view.HostingButtonEnabled());
}

using HostingPollTest = HostileFlowTest;

// Once the code is drawn, a bad poll answer is just followed by the next poll; only "1" ends it.
TEST_P(HostingPollTest, BadPollAnswersAreFollowedByTheNextPoll) {
  if (Is({H::kRefused})) {
    GTEST_SKIP() << "a refused platform grants no code to poll for";
  }
  Serve(1);
  platform::RequestHostingQr(bed.context, bed.mainView);
  if (Is({H::kCookieFlood})) {
    ASSERT_TRUE(bed.log.WaitFor(platform::testing::MessageEvent(PlainMessage(kLoggedIn))));
  } else {
    ASSERT_TRUE(platform->WaitForRequests(3));  // the code and two polls
    bed.Finish();
    EXPECT_TRUE(MainMessages().empty());
  }
  bed.runner.JoinAll();
  EXPECT_EQ(bed.log.CountOf("图片框_二维码 picture"), 1);
}

using HostedAccountsTest = HostileFlowTest;

TEST_P(HostedAccountsTest, ListsOnlyWhatIsAListAndNoMoreThanAPage) {
  platform::LoadHostedAccounts(bed.context, *bed.mainView);
  const Rows rows = bed.mainView->Rows(MainList::kHostedAccounts);
  if (Is({H::kCookieFlood})) {
    EXPECT_EQ(rows, (Rows{{"101", "在线", "小号", "http://127.0.0.1:1/a.png"}}));
  } else if (Is({H::kBadUtf8})) {
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ(rows[0][1], "离线");
    EXPECT_EQ(rows[0][2], kReplacement + "小号" + kReplacement + "(");
  } else if (Is({H::kNumbersForTexts})) {
    EXPECT_EQ(rows, (Rows{{"42", "离线", "42", "42"}}));
  } else if (Is({H::kManyRows})) {
    EXPECT_EQ(rows.size(), 50U);
  } else {
    EXPECT_EQ(rows, Rows{});
  }
  EXPECT_TRUE(MainMessages().empty());
}

using HomeCountersTest = HostileFlowTest;

TEST_P(HomeCountersTest, CountersChangeOnlyForAPageWithTheirMarkers) {
  platform::LoadHomeCounters(bed.context, *bed.mainView);
  const std::string total = bed.mainView->Caption(MainCaption::kHostedTotal);
  const std::string online = bed.mainView->Caption(MainCaption::kOnlineCount);
  if (Is({H::kCookieFlood})) {
    EXPECT_EQ(total + "/" + online, "12/3");
  } else if (Is({H::kBadUtf8})) {
    EXPECT_EQ(total, kReplacement + kReplacement + "12");
  } else if (Is({H::kBadGbk})) {
    EXPECT_TRUE(total.starts_with(kReplacement) && total.ends_with("12")) << total;
    EXPECT_TRUE(online.ends_with("3")) << online;
  } else if (Is({H::kLeftMarkerOnly})) {
    EXPECT_EQ(total + "/" + online, "/");
  } else {
    EXPECT_EQ(total + "/" + online, std::string(kUnset) + "/" + kUnset);
  }
  EXPECT_TRUE(MainMessages().empty());
}

using AvatarTest = HostileFlowTest;

TEST_P(AvatarTest, ThePictureTakesWhatCameScaledAndNothingIsSaid) {
  bed.mainView->AppendRow(MainList::kHostedAccounts,
                          {"1", "在线", "n", platform->Url("/avatar.png")});
  bed.mainView->Select(MainList::kHostedAccounts, 0);
  platform::ShowSelectedAvatar(bed.context, *bed.mainView);
  EXPECT_EQ(bed.mainView->QrPictureMode(), platform::PictureMode::kScaledToFill);
  const std::string picture = bed.mainView->QrPicture();
  if (Is({H::kRefused, H::kSilent})) {
    EXPECT_EQ(picture, "");
  } else if (Is({H::kCookieFlood})) {
    EXPECT_EQ(picture, PngPicture());
  } else if (Is({H::kHugeBody})) {
    EXPECT_EQ(picture.size(), kHugeBodyBytes);
  }
  EXPECT_TRUE(MainMessages().empty());
}

using EarningsTest = HostileFlowTest;

TEST_P(EarningsTest, ListsOnlyTheElementsOfAList) {
  platform::LoadEarnings(bed.context, *bed.mainView);
  const Rows rows = bed.mainView->Rows(MainList::kEarnings);
  if (Is({H::kCookieFlood})) {
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_EQ((std::vector<std::string>{rows[0][0], rows[0][1], rows[0][2]}),
              (std::vector<std::string>{"1", "任务", "1.5"}));
  } else if (Is({H::kBadUtf8, H::kNumbersForTexts})) {
    ASSERT_EQ(rows.size(), 1U);
    EXPECT_NE(rows[0][1], "任务");
  } else if (Is({H::kManyRows})) {
    EXPECT_EQ(rows.size(), static_cast<std::size_t>(kManyRowCount));
  } else {
    EXPECT_EQ(rows, Rows{});
  }
  EXPECT_TRUE(MainMessages().empty());
}

using WithdrawalsTest = HostileFlowTest;

std::vector<std::string> PersonalCaptions(const platform::testing::RecordingMainView& view) {
  std::vector<std::string> captions;
  for (const MainCaption caption :
       {MainCaption::kWithdrawnTotal, MainCaption::kWithdrawable, MainCaption::kEarnedToday,
        MainCaption::kPayoutAccount, MainCaption::kPayoutName}) {
    captions.push_back(view.Caption(caption));
  }
  return captions;
}

TEST_P(WithdrawalsTest, ListAndLabelsChangeOnlyForWhatTheyRecognise) {
  platform::LoadWithdrawals(bed.context, *bed.mainView);
  const Rows rows = bed.mainView->Rows(MainList::kWithdrawals);
  const auto captions = PersonalCaptions(*bed.mainView);
  const std::vector<std::string> figures{"100.00", "20.50", "1.25", "pay@example.com", "王五"};
  std::size_t expectedRows = Is({H::kCookieFlood, H::kBadUtf8, H::kNumbersForTexts}) ? 1 : 0;
  if (Is({H::kManyRows})) {
    expectedRows = kManyRowCount;
    EXPECT_EQ(rows.back()[0], std::to_string(kManyRowCount));
  }
  EXPECT_EQ(rows.size(), expectedRows);
  if (Is({H::kCookieFlood})) {
    EXPECT_EQ(rows[0][3] + rows[0][4], "申请通过打款中");
    EXPECT_EQ(captions, figures);
  } else if (Is({H::kBadUtf8, H::kBadGbk})) {
    for (std::size_t i = 0; i < figures.size(); ++i) {
      EXPECT_TRUE(captions[i].starts_with(kReplacement) && captions[i].ends_with(figures[i]))
          << "[" << captions[i] << "]";
    }
  } else if (Is({H::kLeftMarkerOnly})) {
    EXPECT_EQ(captions, std::vector<std::string>(5, ""));
  } else {
    EXPECT_EQ(captions, std::vector<std::string>(5, kUnset));
  }
  EXPECT_TRUE(MainMessages().empty());
}

using WithdrawTest = HostileFlowTest;

TEST_P(WithdrawTest, OnlyAKnownAnswerIsShown) {
  bed.mainView->SetWithdrawCaptchaInput("c");
  platform::Withdraw(bed.context, *bed.mainView);
  const std::vector<Message> expected = Is({H::kCookieFlood})
                                            ? std::vector<Message>{PlainMessage("提现成功!")}
                                            : std::vector<Message>{};
  EXPECT_EQ(MainMessages(), expected);
}

using BindTest = HostileFlowTest;

TEST_P(BindTest, ShowsTheAnswerBoundedAndCloses) {
  RecordingBindView dialog(bed.log, "王五", "pay@example.com");
  platform::BindPayoutAccount(bed.context, dialog);
  ExpectAnswerShownAndClosed(dialog.Messages(), "绑定成功!");
}

HOSTILE_INSTANTIATE(HostingTest);
HOSTILE_INSTANTIATE(HostingPollTest);
HOSTILE_INSTANTIATE(HostedAccountsTest);
HOSTILE_INSTANTIATE(HomeCountersTest);
HOSTILE_INSTANTIATE(AvatarTest);
HOSTILE_INSTANTIATE(EarningsTest);
HOSTILE_INSTANTIATE(WithdrawalsTest);
HOSTILE_INSTANTIATE(WithdrawTest);
HOSTILE_INSTANTIATE(BindTest);

}  // namespace
}  // namespace hosting::hostile
