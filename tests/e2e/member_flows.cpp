#include "e2e/member_flows.h"

#include <ZXing/ReadBarcode.h>
#include <httplib.h>

#include <QLabel>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>
#include <filesystem>
#include <string>

#include "ui/picture_box.h"

namespace hosting::e2e {
namespace {

constexpr int kHostingPage = 0;
constexpr int kEarningsPage = 1;
constexpr int kPersonalPage = 2;

QTreeWidgetItem* RowOf(const QTreeWidget& list, std::int64_t id) {
  for (int row = 0; row < list.topLevelItemCount(); ++row)
    if (list.topLevelItem(row)->text(0) == QString::number(id))
      return list.topLevelItem(row);
  return nullptr;
}

// What a phone's camera reads from the picture box as it is drawn on screen.
std::string DecodeShownCode(ui::PictureBox& picture) {
  const QImage shown = picture.grab().toImage().convertToFormat(QImage::Format_Grayscale8);
  const ZXing::ImageView view(shown.constBits(), shown.width(), shown.height(),
                              ZXing::ImageFormat::Lum, static_cast<int>(shown.bytesPerLine()));
  const ZXing::Result result =
      ZXing::ReadBarcode(view, ZXing::DecodeHints().setFormats(ZXing::BarcodeFormat::QRCode));
  return result.isValid() ? result.text() : std::string();
}

}  // namespace

MemberFlows::MemberFlows(ClientHarness& harness) : harness_(harness), main_(*harness.main()) {}

void MemberFlows::Await(const std::function<bool()>& condition, const char* what) const {
  if (!WaitFor(condition))
    throw std::runtime_error(std::string("waited in vain for ") + what);
}

// Shows the page, presses the button and waits for the flow's workers.
void MemberFlows::Press(int page, const char* button, const char* flow) const {
  Control<QTabWidget>(main_, "选择夹1").setCurrentIndex(page);
  if (button != nullptr)
    Click(Control<QWidget>(main_, button));
  if (!harness_.WaitWorkers())
    throw std::runtime_error(std::string("workers of ") + flow + " still running");
}

std::int64_t MemberFlows::HostAccount() {
  Control<QTabWidget>(main_, "选择夹1").setCurrentIndex(kHostingPage);
  const std::size_t shownBefore = harness_.boxes().Count();
  Click(main_.qrButton());
  Await([this] { return main_.qrPicture().image().size() == QSize(200, 200); }, "the code");
  const std::string scanUrl = DecodeShownCode(main_.qrPicture());
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
  Await([&] { return harness_.boxes().Count() > shownBefore; }, "登录成功!");
  if (harness_.boxes().Shown().back().message.text != "登录成功!")
    throw std::runtime_error("hosting ended in " + harness_.boxes().Shown().back().message.text);
  Await([this] { return main_.qrStatus().text() == QStringLiteral("0s"); }, "0s after hosting");
  Press(kHostingPage, nullptr, "hosting");
  return account->id;
}

int MemberFlows::RefreshAccounts() {
  Press(kHostingPage, "按钮8", "刷新页面");
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
  Await([this] { return !main_.qrPicture().image().isNull(); }, "the avatar");
  Press(kHostingPage, nullptr, "the avatar");
}

void MemberFlows::ReleaseCode() {
  Control<QTabWidget>(main_, "选择夹1").setCurrentIndex(kHostingPage);
  Click(Control<QWidget>(main_, "按钮9"));
  Await([this] { return main_.qrButton().isEnabled() && main_.qrPicture().image().isNull(); },
        "the released code");
  Press(kHostingPage, nullptr, "释放二维码");
}

void MemberFlows::DropAccount(std::int64_t id) {
  if (!harness_.sandbox().platform().hosting.SetOnline(id, false))
    throw std::runtime_error("the platform has no account " + std::to_string(id));
  Press(kHostingPage, "按钮7", "清除掉线微信");
}

int MemberFlows::QueryEarnings() {
  Press(kEarningsPage, "按钮1", "查询业绩");
  return main_.earnings().topLevelItemCount();
}

int MemberFlows::QueryWithdrawals() {
  Press(kPersonalPage, "按钮4", "查询");
  return main_.withdrawals().topLevelItemCount();
}

void MemberFlows::ClickWithdrawCaptcha() {
  Control<QTabWidget>(main_, "选择夹1").setCurrentIndex(kPersonalPage);
  ui::PictureBox& picture = main_.withdrawCaptcha();
  const qint64 before = picture.image().cacheKey();
  QTest::mouseClick(&picture, Qt::LeftButton);
  Await([&] { return picture.image().cacheKey() != before && !picture.image().isNull(); },
        "a new withdrawal captcha");
  Press(kPersonalPage, nullptr, "the captcha");
}

int ThreadCount() {
  std::error_code error;
  int count = 0;
  for (std::filesystem::directory_iterator it("/proc/self/task", error), end; !error && it != end;
       it.increment(error))
    ++count;
  return count;
}

}  // namespace hosting::e2e
