#pragma once
// MainView over the Qt MainWindow; callable from any thread (see window_calls.h).

#include "app/window_calls.h"
#include "platform/main_view.h"
#include "ui/main_window.h"

namespace hosting::app {

class QtMainView final : public platform::MainView {
 public:
  QtMainView(ui::MainWindow& window, MessageBoxes& boxes);

  void ShowMessage(const platform::Message& message) override;
  void SetCaption(platform::MainCaption caption, const std::string& text) override;
  void SetHostingButtonEnabled(bool enabled) override;
  void SetQrPicture(const std::string& image) override;
  platform::PictureSize QrPictureSize() override;
  void SetQrPictureMode(platform::PictureMode mode) override;
  void ClearRows(platform::MainList list) override;
  void AppendRow(platform::MainList list, const std::vector<std::string>& columns) override;
  int RowCount(platform::MainList list) override;
  std::string CellText(platform::MainList list, int row, int column) override;
  int SelectedRow(platform::MainList list) override;
  std::string WithdrawCaptcha() override;
  void SetWithdrawCaptchaPicture(const std::string& image) override;

 private:
  WindowCalls<ui::MainWindow> calls_;
};

}  // namespace hosting::app
