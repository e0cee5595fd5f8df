#include "e2e/member_flows.h"

#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <stdexcept>
#include <string>

#include "e2e/phone_scan.h"
#include "ui/picture_box.h"

namespace hosting::e2e {
namespace {

constexpr int kHostingPage = 0;
constexpr int kEarningsPage = 1;
constexpr int kPersonalPage = 2;
const QSize kCodeSize(200, 200);

QTreeWidgetItem* RowOf(const QTreeWidget& list, std::int64_t id) {
  const QString text = QString::number(id);
  for (int row = 0; row < list.topLevelItemCount(); ++row) {
    if (list.topLevelItem(row)->text(0) == text)
      return list.topLevelItem(row);
  }
  return nullptr;
}

}  // namespace

MemberFlows::MemberFlows(ClientHarness& harness) : harness_(harness), main_(*harness.main()) {}

void MemberFlows::Await(const std::function<bool()>& condition, const char* what) const {
  if (!WaitFor(condition))
    throw std::runtime_error(std::string("waited in vain for ") + what);
}

void MemberFlows::Settle(const char* flow) const {
  if (!harness_.WaitWorkers())
    throw std::runtime_error(std::string("workers of ") + flow + " still running");
}

void MemberFlows::ShowPage(int index) const {
  Control<QTabWidget>(main_, "选择夹1").setCurrentIndex(index);
}

std::int64_t MemberFlows::HostAccount() {
  ShowPage(kHostingPage);
  const std::size_t shownBefore = harness_.boxes().Count();
  Click(main_.qrButton());
  Await([this] { return main_.qrPicture().image().size() == kCodeSize; }, "the hosting code");
  const std::string scanUrl = DecodeShownCode(main_.qrPicture());
  const auto account = harness_.server().context().hosting.FindByToken(ScanToken(scanUrl));
  if (!account)
    throw std::runtime_error("the code on screen is no code of the platform: " + scanUrl);
  if (ConfirmScan(scanUrl).find("确认成功") == std::string::npos)
    throw std::runtime_error("the phone's scan was not confirmed");
  Await(
      [&] {
        const auto shown = harness_.boxes().Shown();
        return shown.size() > shownBefore && shown.back().message.text == "登录成功!";
      },
      "登录成功!");
  Await([this] { return main_.qrStatus().text() == QStringLiteral("0s"); }, "0s after hosting");
  Settle("hosting");
  return account->id;
}

int MemberFlows::RefreshAccounts() {
  ShowPage(kHostingPage);
  Click(Control<QWidget>(main_, "按钮8"));
  Settle("刷新页面");
  const int rows = main_.hostedAccounts().topLevelItemCount();
  if (main_.label(QStringLiteral("透明标签3")).text() != QString::number(rows))
    throw std::runtime_error("透明标签3 disagrees with 托管状态");
  return rows;
}

bool MemberFlows::Lists(std::int64_t id, const QString& state) const {
  const QTreeWidgetItem* row = RowOf(main_.hostedAccounts(), id);
  return row != nullptr && row->text(1) == state;
}

void MemberFlows::ShowAvatarOf(std::int64_t id) {
  ShowPage(kHostingPage);
  QTreeWidget& accounts = main_.hostedAccounts();
  QTreeWidgetItem* row = RowOf(accounts, id);
  if (row == nullptr)
    throw std::runtime_error("no row for account " + std::to_string(id));
  QTest::mouseClick(accounts.viewport(), Qt::LeftButton, {}, accounts.visualItemRect(row).center());
  Await([this] { return !main_.qrPicture().image().isNull(); }, "the avatar");
  Settle("the avatar");
}

void MemberFlows::ReleaseCode() {
  ShowPage(kHostingPage);
  Click(Control<QWidget>(main_, "按钮9"));
  Await([this] { return main_.qrButton().isEnabled() && main_.qrPicture().image().isNull(); },
        "the released code");
  Settle("释放二维码");
}

void MemberFlows::DropAccount(std::int64_t id) {
  if (!harness_.server().context().hosting.SetOnline(id, false))
    throw std::runtime_error("the platform has no account " + std::to_string(id));
  ShowPage(kHostingPage);
  Click(Control<QWidget>(main_, "按钮7"));
  Settle("清除掉线微信");
}

int MemberFlows::QueryEarnings() {
  ShowPage(kEarningsPage);
  Click(Control<QWidget>(main_, "按钮1"));
  Settle("查询业绩");
  return main_.earnings().topLevelItemCount();
}

int MemberFlows::QueryWithdrawals() {
  ShowPage(kPersonalPage);
  Click(Control<QWidget>(main_, "按钮4"));
  Settle("查询");
  return main_.withdrawals().topLevelItemCount();
}

void MemberFlows::ClickWithdrawCaptcha() {
  ShowPage(kPersonalPage);
  ui::PictureBox& picture = main_.withdrawCaptcha();
  const qint64 before = picture.image().cacheKey();
  QTest::mouseClick(&picture, Qt::LeftButton);
  Await([&] { return picture.image().cacheKey() != before && !picture.image().isNull(); },
        "a new withdrawal captcha");
  Settle("the captcha");
}

void MemberFlows::Round() {
  const std::int64_t id = HostAccount();
  RefreshAccounts();
  if (!Lists(id, QStringLiteral("在线")))
    throw std::runtime_error("the hosted account is not listed online");
  ShowAvatarOf(id);
  ReleaseCode();
  DropAccount(id);
  RefreshAccounts();
  if (Lists(id, QStringLiteral("离线")) || Lists(id, QStringLiteral("在线")))
    throw std::runtime_error("the dropped account is still listed");
  if (QueryEarnings() == 0)
    throw std::runtime_error("微信业绩 stayed empty");
  if (QueryWithdrawals() == 0)
    throw std::runtime_error("提现操作 stayed empty");
  ClickWithdrawCaptcha();
  ShowPage(kHostingPage);
}

}  // namespace hosting::e2e
