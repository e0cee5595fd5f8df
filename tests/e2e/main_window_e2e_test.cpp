// MainWindow's journey as a member walks it, against an in-process sandbox: hosting an account by
// scanning the code on screen, its row and avatar, then 个人中心's records, a withdrawal and the
// payout dialog.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>
#include <QTreeWidget>

#include "e2e/member_flows.h"
#include "ui/bind_alipay_dialog.h"
#include "ui/picture_box.h"

namespace hosting::e2e {
namespace {

using platform::Message;

TEST(MainWindowEndToEnd, HostingByScanTheRowItsAvatarAndThePersonalCentre) {
  ClientHarness harness;
  harness.Start();
  ui::MainWindow& main = harness.LogInToMain("demo", "demo123");
  MemberFlows flows(harness);
  const int before = main.hostedAccounts().topLevelItemCount();
  ASSERT_GT(before, 0) << "the demo member hosts accounts already";

  const std::int64_t id = flows.HostAccount();  // throws when the code on screen is unreadable
  EXPECT_EQ(harness.boxes().Shown().back().owner, "MainWindow");
  EXPECT_TRUE(main.qrPicture().image().isNull()) << "the code is cleared once the account is in";
  EXPECT_FALSE(main.qrButton().isEnabled()) << "stays disabled until 释放二维码";
  EXPECT_EQ(flows.RefreshAccounts(), before + 1);
  EXPECT_EQ(flows.StateOf(id), QStringLiteral("在线"));
  flows.ShowAvatarOf(id);
  EXPECT_EQ(main.qrPicture().displayMode(), ui::PictureBox::kScaledToFill);
  flows.ReleaseCode();

  const int records = flows.QueryWithdrawals();
  ASSERT_GT(records, 0);
  EXPECT_EQ(main.withdrawals().topLevelItem(records - 1)->text(0), QString::number(records));
  EXPECT_EQ(main.label(QStringLiteral("透明标签34")).text(), QStringLiteral("张三"));
  TypeText(Control<QLineEdit>(main, "编辑框1"), testing_support::kCaptcha);
  Click(Control<QWidget>(main, "按钮3"));  // 提现
  ASSERT_TRUE(WaitFor([&] { return harness.boxes().Count() == 2; }));
  EXPECT_EQ(harness.boxes().Shown()[1].message, (Message{"提现成功!", "", {}}));
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
}

}  // namespace
}  // namespace hosting::e2e
