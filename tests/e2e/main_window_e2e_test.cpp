// MainWindow driven as a member drives it, against an in-process sandbox: hosting an account by
// scanning the code shown on screen, and the "个人中心" page (records, withdrawals, payout
// account).

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>

#include "e2e/client_harness.h"
#include "e2e/phone_scan.h"
#include "ui/bind_alipay_dialog.h"
#include "ui/picture_box.h"

namespace hosting::e2e {
namespace {

using platform::Message;
using platform::MessageIcon;

int RowWithStateOf(const QTreeWidget& list, const QString& id) {
  for (int row = 0; row < list.topLevelItemCount(); ++row) {
    if (list.topLevelItem(row)->text(0) == id)
      return row;
  }
  return -1;
}

TEST(MainWindowEndToEnd, HostingAnAccountByScanningTheCodeOnScreen) {
  ClientHarness harness;
  harness.Start();
  ui::MainWindow& main = harness.LogInToMain("demo", "demo123");
  QTreeWidget& accounts = main.hostedAccounts();
  const int before = accounts.topLevelItemCount();
  ASSERT_GT(before, 0) << "the demo member hosts accounts already";
  EXPECT_EQ(main.label(QStringLiteral("透明标签3")).text(), QString::number(before));

  auto& getCode = Control<QWidget>(main, "按钮2");
  Click(getCode);
  EXPECT_FALSE(getCode.isEnabled());
  // Drawn at the picture box's size (an avatar, 80 x 80, would be the wrong picture here).
  ASSERT_TRUE(WaitFor([&] { return main.qrPicture().image().size() == QSize(200, 200); }));
  const std::string scanUrl = DecodeShownCode(main.qrPicture());
  ASSERT_NE(scanUrl.find("/custody/sandbox/scan?code="), std::string::npos) << scanUrl;
  EXPECT_TRUE(WaitFor([&] { return main.qrStatus().text().endsWith(QStringLiteral("秒后失效")); }));

  EXPECT_NE(ConfirmScan(scanUrl).find("确认成功"), std::string::npos);
  ASSERT_TRUE(WaitFor([&] { return harness.boxes().Count() == 1; }));
  EXPECT_EQ(harness.boxes().Shown()[0].message, (Message{"登录成功!", "", MessageIcon::kNone}));
  EXPECT_EQ(harness.boxes().Shown()[0].owner, "MainWindow");
  EXPECT_TRUE(WaitFor([&] { return main.qrStatus().text() == QStringLiteral("0s"); }));
  EXPECT_TRUE(main.qrPicture().image().isNull()) << "the code is cleared once the account is in";
  EXPECT_FALSE(getCode.isEnabled()) << "stays disabled until 释放二维码";

  Click(Control<QWidget>(main, "按钮8"));  // 刷新页面
  ASSERT_TRUE(WaitFor([&] { return accounts.topLevelItemCount() == before + 1; }));
  harness.WaitWorkers();
  const auto& store = harness.server().context().hosting;
  QString newId;
  for (const auto& account : const_cast<sandbox::HostingStore&>(store).All()) {
    if (scanUrl.find(account.token) != std::string::npos)
      newId = QString::number(account.id);
  }
  const int row = RowWithStateOf(accounts, newId);
  ASSERT_GE(row, 0) << "the new account " << newId.toStdString() << " is listed";
  EXPECT_EQ(accounts.topLevelItem(row)->text(1), QStringLiteral("在线"));
  EXPECT_EQ(main.label(QStringLiteral("透明标签3")).text(), QString::number(before + 1));

  // Selecting its row shows its avatar, scaled to fill the box.
  QTest::mouseClick(accounts.viewport(), Qt::LeftButton, {},
                    accounts.visualItemRect(accounts.topLevelItem(row)).center());
  ASSERT_TRUE(WaitFor([&] { return !main.qrPicture().image().isNull(); }));
  EXPECT_EQ(main.qrPicture().displayMode(), ui::PictureBox::kScaledToFill);

  Click(Control<QWidget>(main, "按钮9"));  // 释放二维码
  EXPECT_TRUE(WaitFor([&] { return getCode.isEnabled(); }));
}

TEST(MainWindowEndToEnd, PersonalCentreShowsRecordsAndWithdraws) {
  ClientHarness harness;
  harness.Start();
  ui::MainWindow& main = harness.LogInToMain("demo", "demo123");
  Control<QTabWidget>(main, "选择夹1").setCurrentIndex(2);
  ASSERT_TRUE(WaitFor([&] { return !main.withdrawCaptcha().image().isNull(); }))
      << "loaded when MainWindow opened";

  Click(Control<QWidget>(main, "按钮4"));  // 查询
  QTreeWidget& records = main.withdrawals();
  ASSERT_TRUE(WaitFor([&] { return records.topLevelItemCount() > 0; }));
  harness.WaitWorkers();
  const int recordsBefore = records.topLevelItemCount();
  for (int row = 0; row < recordsBefore; ++row) {
    EXPECT_EQ(records.topLevelItem(row)->text(0), QString::number(row + 1));
  }
  EXPECT_FALSE(main.label(QStringLiteral("透明标签29")).text().isEmpty());
  EXPECT_EQ(main.label(QStringLiteral("透明标签34")).text(), QStringLiteral("张三"));

  auto& captcha = Control<QLineEdit>(main, "编辑框1");
  const std::string right = harness.CurrentCaptcha();
  TypeText(captcha, QString::fromStdString(right == "0000" ? "1111" : "0000"));
  Click(Control<QWidget>(main, "按钮3"));  // 提现
  ASSERT_TRUE(WaitFor([&] { return harness.boxes().Count() == 1; }));
  EXPECT_EQ(harness.boxes().Shown()[0].message, (Message{"验证码错误！", "", MessageIcon::kNone}));

  captcha.clear();
  TypeText(captcha, QString::fromStdString(harness.CurrentCaptcha()));
  Click(Control<QWidget>(main, "按钮3"));
  ASSERT_TRUE(WaitFor([&] { return harness.boxes().Count() == 2; }));
  EXPECT_EQ(harness.boxes().Shown()[1].message, (Message{"提现成功!", "", MessageIcon::kNone}));

  Click(Control<QWidget>(main, "按钮4"));
  ASSERT_TRUE(WaitFor([&] { return records.topLevelItemCount() == recordsBefore + 1; }));
  bool pending = false;
  for (int row = 0; row < records.topLevelItemCount(); ++row) {
    pending = pending || records.topLevelItem(row)->text(3) == QStringLiteral("申请提现");
  }
  EXPECT_TRUE(pending);
}

TEST(MainWindowEndToEnd, BindingThePayoutAccountThroughItsDialog) {
  ClientHarness harness;
  auto& context = harness.server().context();
  ASSERT_TRUE(context.members.Register("会员一", "pw", context.Now()).has_value());
  harness.Start();
  ui::MainWindow& main = harness.LogInToMain(QStringLiteral("会员一"), "pw");
  Control<QTabWidget>(main, "选择夹1").setCurrentIndex(2);

  const auto bindThroughDialog = [&](const QString& name, const QString& account) {
    QTimer::singleShot(0, [&] {
      auto* dialog = qobject_cast<ui::BindAlipayDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr);
      TypeText(Control<QLineEdit>(*dialog, "编辑框1"), name);
      TypeText(Control<QLineEdit>(*dialog, "编辑框2"), account);
      Click(Control<QWidget>(*dialog, "按钮1"));
    });
    Click(Control<QWidget>(main, "按钮5"));  // returns when the flow has closed the dialog
  };
  bindThroughDialog(QStringLiteral("李 四"), "lisi@example.com");
  ASSERT_EQ(harness.boxes().Count(), 1U);
  EXPECT_EQ(harness.boxes().Shown()[0].message, (Message{"绑定成功!", "", MessageIcon::kNone}));
  EXPECT_EQ(harness.boxes().Shown()[0].owner, "BindAlipayDialog");

  bindThroughDialog(QStringLiteral("王五"), "wangwu@example.com");
  ASSERT_EQ(harness.boxes().Count(), 2U);
  EXPECT_NE(harness.boxes().Shown()[1].message.text.find("\"msg\""), std::string::npos)
      << "a refusal shows the whole answer";

  Click(Control<QWidget>(main, "按钮4"));
  ASSERT_TRUE(WaitFor(
      [&] { return main.label(QStringLiteral("透明标签34")).text() == QStringLiteral("李 四"); }));
  EXPECT_EQ(main.label(QStringLiteral("透明标签32")).text(), QStringLiteral("lisi@example.com"));
}

}  // namespace
}  // namespace hosting::e2e
