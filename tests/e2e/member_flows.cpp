#include "e2e/member_flows.h"

#include <ZXing/ReadBarcode.h>
#include <httplib.h>

#include <QLabel>
#include <QTabWidget>
#include <QTreeWidget>

#include "ui/picture_box.h"

namespace hosting::e2e {
namespace {

enum Page { kHostingPage, kEarningsPage, kPersonalPage };

QTreeWidgetItem* RowOf(const QTreeWidget& list, std::int64_t id) {
  const auto found = list.findItems(QString::number(id), Qt::MatchExactly, 0);
  return found.isEmpty() ? nullptr : found.front();
}

}  // namespace

void MemberFlows::Press(int page, QWidget* button, const char* what,
                        const std::function<bool()>& shown) {
  Control<QTabWidget>(main_, "选择夹1").setCurrentIndex(page);
  if (button != nullptr)
    QTest::mouseClick(button, Qt::LeftButton);
  if ((shown && !WaitFor(shown)) || !harness_.WaitWorkers())
    throw std::runtime_error(std::string("waited in vain for ") + what);
}

std::int64_t MemberFlows::HostAccount() {
  const std::size_t shownBefore = harness_.boxes().Count();
  Control<QTabWidget>(main_, "选择夹1").setCurrentIndex(kHostingPage);
  QTest::mouseClick(&main_.qrButton(), Qt::LeftButton);  // its workers run until the scan
  if (!WaitFor([this] { return main_.qrPicture().image().size() == QSize(200, 200); }))
    throw std::runtime_error("waited in vain for the code");
  const std::string scanUrl = ScanText(main_.qrPicture());
  const std::size_t path = scanUrl.find("/custody/sandbox/scan?code=");
  const auto account = harness_.sandbox().platform().hosting.FindByToken(
      path == std::string::npos ? "" : scanUrl.substr(scanUrl.find("code=") + 5));
  if (!account)
    throw std::runtime_error("the code on screen is no code of the platform: " + scanUrl);
  httplib::Client phone(scanUrl.substr(0, path));
  const auto page = phone.Get(scanUrl.substr(path));
  const auto confirmed = phone.Post("/custody/sandbox/scan", "code=" + account->token,
                                    "application/x-www-form-urlencoded");
  if (!page || page->status != 200 || !confirmed ||
      confirmed->body.find("确认成功") == std::string::npos)
    throw std::runtime_error("the phone's scan was not confirmed");
  Press(kHostingPage, nullptr, "登录成功! and 0s",
        [&] { return harness_.boxes().Count() > shownBefore && main_.qrStatus().text() == "0s"; });
  if (harness_.boxes().Shown().back().message.text != "登录成功!")
    throw std::runtime_error("hosting ended in " + harness_.boxes().Shown().back().message.text);
  return account->id;
}

int MemberFlows::RefreshAccounts() {
  Press(kHostingPage, &Control<QWidget>(main_, "按钮8"), "刷新页面");
  const int rows = main_.hostedAccounts().topLevelItemCount();
  if (main_.label(QStringLiteral("透明标签3")).text() != QString::number(rows))
    throw std::runtime_error("透明标签3 disagrees with 托管状态");
  return rows;
}

QString MemberFlows::StateOf(std::int64_t id) const {
  const QTreeWidgetItem* row = RowOf(main_.hostedAccounts(), id);
  return row == nullptr ? QString() : row->text(1);
}

void MemberFlows::ShowAvatarOf(std::int64_t id) {
  QTreeWidget& accounts = main_.hostedAccounts();
  QTreeWidgetItem* row = RowOf(accounts, id);
  if (row == nullptr)
    throw std::runtime_error("no row for account " + std::to_string(id));
  QTest::mouseClick(accounts.viewport(), Qt::LeftButton, {}, accounts.visualItemRect(row).center());
  Press(kHostingPage, nullptr, "the avatar",
        [this] { return !main_.qrPicture().image().isNull(); });
}

void MemberFlows::ReleaseCode() {
  Press(kHostingPage, &Control<QWidget>(main_, "按钮9"), "the released code",
        [this] { return main_.qrButton().isEnabled() && main_.qrPicture().image().isNull(); });
}

void MemberFlows::DropAccount(std::int64_t id) {
  if (!harness_.sandbox().platform().hosting.SetOnline(id, false))
    throw std::runtime_error("the platform has no account " + std::to_string(id));
  Press(kHostingPage, &Control<QWidget>(main_, "按钮7"), "清除掉线微信");
}

int MemberFlows::QueryEarnings() {
  Press(kEarningsPage, &Control<QWidget>(main_, "按钮1"), "查询业绩");
  return main_.earnings().topLevelItemCount();
}

int MemberFlows::QueryWithdrawals() {
  Press(kPersonalPage, &Control<QWidget>(main_, "按钮4"), "查询");
  return main_.withdrawals().topLevelItemCount();
}

void MemberFlows::ClickWithdrawCaptcha() {
  ui::PictureBox& picture = main_.withdrawCaptcha();
  const qint64 before = picture.image().cacheKey();
  Press(kPersonalPage, &picture, "a new withdrawal captcha",
        [&] { return picture.image().cacheKey() != before && !picture.image().isNull(); });
}

std::string ScanText(QWidget& picture) {
  const QImage shown = picture.grab().toImage().convertToFormat(QImage::Format_Grayscale8);
  const ZXing::Result code =
      ZXing::ReadBarcode({shown.constBits(), shown.width(), shown.height(), ZXing::ImageFormat::Lum,
                          static_cast<int>(shown.bytesPerLine())},
                         ZXing::DecodeHints().setFormats(ZXing::BarcodeFormat::QRCode));
  return code.isValid() ? code.text() : std::string();
}

}  // namespace hosting::e2e
