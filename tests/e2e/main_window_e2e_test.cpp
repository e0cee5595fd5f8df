// MainWindow's journey as a member walks it, against an in-process sandbox: hosting an account by
// scanning the code on screen, its row and avatar, 个人中心's records, a withdrawal and the payout
// dialog. No thread outlives its flow: after each, the process comes back to the threads it had
// when idle (the sandbox's pool, Qt's own, the GUI thread).
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QThreadPool>
#include <QTimer>
#include <QTreeWidget>

#include "e2e/member_flows.h"
#include "ui/bind_alipay_dialog.h"
#include "ui/picture_box.h"

namespace hosting::e2e {
namespace {

// Qt draws some images on its global pool, whose threads wait 30 s for more work before they end;
// here they end with their work, so that every thread still there after a flow is one it left.
class MainWindowEndToEnd : public testing::Test {
 protected:
  void SetUp() override { QThreadPool::globalInstance()->setExpiryTimeout(0); }
  void TearDown() override { QThreadPool::globalInstance()->setExpiryTimeout(30000); }
  void ExpectThreadsBack(const char* flow) const {
    EXPECT_TRUE(WaitFor([this] { return ThreadCount() <= idle; }, 10000))
        << flow << " left " << ThreadCount() - idle << " thread(s) behind";
  }
  int idle = 0;
};

TEST_F(MainWindowEndToEnd, HostingByScanTheRowItsAvatarAndThePersonalCentre) {
  ClientHarness harness;
  harness.Start();
  ui::MainWindow& main = harness.LogInToMain("demo", "demo123");
  MemberFlows flows(harness);
  idle = ThreadCount();
  const int before = main.hostedAccounts().topLevelItemCount();
  ASSERT_GT(before, 0) << "the demo member hosts accounts already";

  const std::int64_t id = flows.HostAccount();  // throws when the code on screen is unreadable
  ExpectThreadsBack("hosting");
  EXPECT_EQ(harness.boxes().Shown().back().owner, "MainWindow");
  EXPECT_TRUE(main.qrPicture().image().isNull()) << "the code is cleared once the account is in";
  EXPECT_FALSE(main.qrButton().isEnabled()) << "stays disabled until 释放二维码";
  EXPECT_EQ(flows.RefreshAccounts(), before + 1);
  EXPECT_EQ(flows.StateOf(id), QStringLiteral("在线"));
  flows.ShowAvatarOf(id);
  EXPECT_EQ(main.qrPicture().displayMode(), ui::PictureBox::kScaledToFill);
  flows.ReleaseCode();
  flows.DropAccount(id);
  flows.RefreshAccounts();
  EXPECT_EQ(flows.StateOf(id), QString()) << "清除掉线微信 removed it";
  EXPECT_GT(flows.QueryEarnings(), 0);
  flows.ClickWithdrawCaptcha();
  ExpectThreadsBack("the hosting page, earnings and the captcha");

  const int records = flows.QueryWithdrawals();
  ASSERT_GT(records, 0);
  EXPECT_EQ(main.withdrawals().topLevelItem(records - 1)->text(0), QString::number(records));
  EXPECT_EQ(main.label(QStringLiteral("透明标签34")).text(), QStringLiteral("张三"));
  TypeText(Control<QLineEdit>(main, "编辑框1"), testing_support::kCaptcha);
  Click(Control<QWidget>(main, "按钮3"));  // 提现
  ASSERT_TRUE(WaitFor([&] { return harness.boxes().Count() == 2; }));
  EXPECT_EQ(harness.boxes().Shown()[1].message, (platform::Message{"提现成功!", "", {}}));
  EXPECT_EQ(flows.QueryWithdrawals(), records + 1);

  QTimer::singleShot(0, [&] {
    auto* dialog = qobject_cast<ui::BindAlipayDialog*>(QApplication::activeModalWidget());
    ASSERT_NE(dialog, nullptr);
    TypeText(Control<QLineEdit>(*dialog, "编辑框1"), QStringLiteral("王五"));
    TypeText(Control<QLineEdit>(*dialog, "编辑框2"), "ww@example.com");
    Click(Control<QWidget>(*dialog, "按钮1"));
  });
  Click(Control<QWidget>(main, "按钮5"));  // returns when the flow has closed the dialog
  ASSERT_EQ(harness.boxes().Count(), 3U);
  EXPECT_EQ(harness.boxes().Shown()[2].owner, "BindAlipayDialog");
  EXPECT_NE(harness.boxes().Shown()[2].message.text.find("已绑定"), std::string::npos)
      << "the demo member's account is bound already: the answer is shown whole";
  harness.WaitWorkers();
  ExpectThreadsBack("个人中心");
}

// A code nobody scans: its countdown runs out, its poll gives up after the grace, and both
// threads end; released half-way, the countdown ends at once and the poll still gives up.
TEST_F(MainWindowEndToEnd, AnUnscannedCodeEndsItsCountdownAndPoll) {
  HarnessOptions options;
  options.timings.countdownTick = std::chrono::milliseconds(20);
  options.timings.countdownSteps = 10;
  options.timings.pollInterval = std::chrono::milliseconds(20);
  options.timings.pollGrace = std::chrono::milliseconds(200);
  ClientHarness harness(options);
  harness.Start();
  ui::MainWindow& main = harness.LogInToMain("demo", "demo123");
  MemberFlows flows(harness);
  idle = ThreadCount();
  for (const bool release : {false, true}) {
    const qint64 shownBefore = main.qrPicture().image().cacheKey();
    Click(main.qrButton());
    ASSERT_TRUE(WaitFor([&] {
      return !main.qrPicture().image().isNull() &&
             main.qrPicture().image().cacheKey() != shownBefore;
    }));
    if (release)
      flows.ReleaseCode();
    ASSERT_TRUE(WaitFor([&] { return main.qrButton().isEnabled(); }))
        << "an expired code enables 获取二维码 again";
    ASSERT_TRUE(harness.WaitWorkers()) << "the poll of an unscanned code gives up";
    ExpectThreadsBack(release ? "a released code" : "an expired code");
  }
}

}  // namespace
}  // namespace hosting::e2e
