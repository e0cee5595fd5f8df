#pragma once
// The views over one Recorder: a write sets its control and logs "<control> <value>" (pictures:
// "<control> picture" or "cleared"); a read answers what was written or typed there.

#include "platform/bind_alipay_view.h"
#include "platform/change_password_view.h"
#include "platform/login_view.h"
#include "platform/main_view.h"
#include "support/recorder.h"

namespace hosting::platform::testing {

using testing_support::MessageEvent;
using testing_support::Recorder;

inline void WritePicture(Recorder& recorder, const std::string& box, const std::string& image) {
  recorder.Write(box, image, box + (image.empty() ? " cleared" : " picture"));
}

inline void WriteText(Recorder& recorder, const std::string& control, const std::string& text) {
  recorder.Write(control, text, control + " " + text);
}

class RecordingLoginView final : public LoginView {
 public:
  explicit RecordingLoginView(Recorder& recorder) : r_(recorder) {}
  std::string UserName() override { return r_.Read("编辑框1"); }
  void SetUserName(const std::string& text) override { WriteText(r_, "编辑框1", text); }
  std::string Password() override { return r_.Read("编辑框2"); }
  void SetPassword(const std::string& text) override { WriteText(r_, "编辑框2", text); }
  std::string LoginCaptcha() override { return r_.Read("编辑框3"); }
  bool RememberChecked() override { return r_.Read("选择框1") == "1"; }
  void SetLoginCaptchaPicture(const std::string& image) override {
    WritePicture(r_, "图片框1", image);
  }
  std::string LoginCaptchaPicture() override { return r_.Read("图片框1"); }
  std::string RegisterUserName() override { return r_.Read("编辑框4"); }
  std::string RegisterPassword() override { return r_.Read("编辑框5"); }
  std::string RegisterPasswordAgain() override { return r_.Read("编辑框6"); }
  std::string RegisterCaptcha() override { return r_.Read("编辑框7"); }
  void SetRegisterCaptchaPicture(const std::string& image) override {
    WritePicture(r_, "图片框2", image);
  }
  // The parts so far as "text@width|text@width|".
  void AddStatusPart(const std::string& text, int width) override {
    WriteText(r_, "状态条1", r_.Read("状态条1") + text + "@" + std::to_string(width) + "|");
  }
  void HideWindow() override { r_.Log("LoginWindow hidden"); }
  void PostOpenMainWindow() override { r_.Log("标签1 feedback"); }
  void ShowMessage(const Message& message) override { r_.Show({"LoginWindow", message}); }

 private:
  Recorder& r_;
};

inline std::string NameOf(MainCaption caption) {
  static constexpr const char* kNames[] = {"透明标签5",  "透明标签3",  "透明标签19", "透明标签28",
                                           "透明标签29", "透明标签30", "透明标签32", "透明标签34"};
  return kNames[static_cast<int>(caption)];
}

inline std::string NameOf(MainList list) {
  static constexpr const char* kNames[] = {"托管状态", "微信业绩", "提现操作"};
  return kNames[static_cast<int>(list)];
}

class RecordingMainView final : public MainView {
 public:
  explicit RecordingMainView(Recorder& recorder) : r_(recorder) {}
  void SetCaption(MainCaption caption, const std::string& text) override {
    WriteText(r_, NameOf(caption), text);
  }
  void SetHostingButtonEnabled(bool enabled) override {
    WriteText(r_, "按钮2", enabled ? "enabled" : "disabled");
  }
  void SetQrPicture(const std::string& image) override { WritePicture(r_, "图片框_二维码", image); }
  void SetAvatarPicture(const std::string& image, const std::string&, const std::string&) override {
    SetQrPicture(image);
  }
  PictureSize QrPictureSize() override { return {200, 200}; }
  void SetQrPictureMode(PictureMode mode) override {
    r_.Write("图片框_二维码 mode", std::to_string(static_cast<int>(mode)));
  }
  void SetQrExpiredNotice(const std::string& notice) override {
    WriteText(r_, "图片框_二维码 notice", notice);
  }
  void ReplaceHostedAccounts(const std::vector<std::vector<std::string>>& rows) override {
    r_.ClearRows("托管状态");
    for (const auto& row : rows)
      r_.AppendRow("托管状态", row);
  }
  void AnnounceOffline(const std::string& text) override { r_.Log("announced " + text); }
  void ClearRows(MainList list) override { r_.ClearRows(NameOf(list)); }
  void AppendRow(MainList list, const std::vector<std::string>& columns) override {
    r_.AppendRow(NameOf(list), columns);
  }
  int RowCount(MainList list) override { return static_cast<int>(r_.RowsOf(NameOf(list)).size()); }
  std::string CellText(MainList list, int row, int column) override {
    const auto rows = r_.RowsOf(NameOf(list));
    const auto at = [](const auto& items, int i) { return i >= 0 && i < std::ssize(items); };
    return at(rows, row) && at(rows[row], column) ? rows[row][column] : std::string();
  }
  int SelectedRow(MainList list) override {
    return std::stoi(r_.Read(NameOf(list) + " selected", "-1"));
  }
  std::string WithdrawCaptcha() override { return r_.Read("提现验证码"); }
  void SetWithdrawCaptchaPicture(const std::string& image) override {
    WritePicture(r_, "图片框3", image);
  }
  void ShowMessage(const Message& message) override { r_.Show({"MainWindow", message}); }

 private:
  Recorder& r_;
};

class RecordingDialog final : public BindAlipayView, public ChangePasswordView {
 public:
  RecordingDialog(Recorder& recorder, std::string first, std::string second)
      : r_(recorder), first_(std::move(first)), second_(std::move(second)) {}
  std::string RealName() override { return first_; }
  std::string AlipayAccount() override { return second_; }
  std::string NewPassword() override { return first_; }
  std::string NewPasswordAgain() override { return second_; }
  void ShowMessage(const Message& message) override { r_.Show({"dialog", message}); }
  void CloseDialog() override { r_.Log("dialog closed"); }

 private:
  Recorder& r_;
  std::string first_, second_;
};

}  // namespace hosting::platform::testing
