#pragma once
// MainView over the Qt MainWindow; callable from any thread (see window_calls.h). Made on the GUI
// thread, it adds the window's expired-code overlay and its offline notice.

#include <QPointer>

#include "app/window_calls.h"
#include "platform/main_view.h"
#include "ui/expired_code_overlay.h"
#include "ui/main_window.h"
#include "ui/offline_notice.h"

namespace hosting::app {

class QtMainView final : public platform::MainView {
 public:
  QtMainView(ui::MainWindow& window, MessageBoxes& boxes);

  void ShowMessage(const platform::Message& message) override;
  void SetCaption(platform::MainCaption caption, const std::string& text) override;
  void SetHostingButtonEnabled(bool enabled) override;
  void SetQrPicture(const std::string& image) override;
  void SetAvatarPicture(const std::string& image, const std::string& accountId,
                        const std::string& nickname) override;
  platform::PictureSize QrPictureSize() override;
  void SetQrPictureMode(platform::PictureMode mode) override;
  void SetQrExpiredNotice(const std::string& notice) override;
  void ReplaceHostedAccounts(const std::vector<std::vector<std::string>>& rows) override;
  void AnnounceOffline(const std::string& text) override;
  void ClearRows(platform::MainList list) override;
  void AppendRow(platform::MainList list, const std::vector<std::string>& columns) override;
  int RowCount(platform::MainList list) override;
  std::string CellText(platform::MainList list, int row, int column) override;
  int SelectedRow(platform::MainList list) override;
  std::string WithdrawCaptcha() override;
  void SetWithdrawCaptchaPicture(const std::string& image) override;

  // GUI thread only: the overlay whose activation presses 按钮2.
  ui::ExpiredCodeOverlay* expiredCodeOverlay() const { return overlay_; }

 private:
  WindowCalls<ui::MainWindow> calls_;
  QPointer<ui::ExpiredCodeOverlay> overlay_;   // owned by 图片框_二维码
  QPointer<ui::OfflineNotice> offlineNotice_;  // owned by the window
};

}  // namespace hosting::app
