#pragma once
// Recording fakes of the four view interfaces. Every write is kept in the view's state and
// appended to a shared event log, so that a test can wait for an event instead of sleeping, and
// check the order of what a member would have seen. Reads answer what the test put in.

#include <chrono>
#include <condition_variable>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/bind_alipay_view.h"
#include "platform/change_password_view.h"
#include "platform/login_view.h"
#include "platform/main_view.h"

namespace hosting::platform::testing {

class EventLog {
 public:
  void Add(std::string event);
  std::vector<std::string> Events() const;
  // Waits until `done` holds for the events so far. False on the (generous) time-out, which only
  // guards the test run against a hang.
  bool WaitUntil(const std::function<bool(const std::vector<std::string>&)>& done) const;
  // Waits until `count` events equal `event`.
  bool WaitFor(const std::string& event, int count = 1) const;
  int CountOf(const std::string& event) const;

 private:
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::vector<std::string> events_;
};

// "message <icon>|<title>|<text>"
std::string MessageEvent(const Message& message);

class RecordingMessages {
 public:
  explicit RecordingMessages(EventLog& log) : log_(log) {}
  std::vector<Message> Messages() const;

 protected:
  void Record(const Message& message);
  EventLog& log_;
  mutable std::mutex mutex_;

 private:
  std::vector<Message> messages_;
};

class RecordingLoginView final : public LoginView, public RecordingMessages {
 public:
  using RecordingMessages::RecordingMessages;

  // Inputs a test sets before running a flow.
  struct Inputs {
    std::string userName = {};
    std::string password = {};
    std::string captcha = {};
    bool remember = false;
    std::string registerUserName = {};
    std::string registerPassword = {};
    std::string registerPasswordAgain = {};
    std::string registerCaptcha = {};
  };
  void SetInputs(Inputs inputs);

  std::string UserName() override;
  void SetUserName(const std::string& text) override;
  std::string Password() override;
  void SetPassword(const std::string& text) override;
  std::string LoginCaptcha() override;
  bool RememberChecked() override;
  void SetLoginCaptchaPicture(const std::string& image) override;
  std::string LoginCaptchaPicture() override;
  std::string RegisterUserName() override;
  std::string RegisterPassword() override;
  std::string RegisterPasswordAgain() override;
  std::string RegisterCaptcha() override;
  void SetRegisterCaptchaPicture(const std::string& image) override;
  void AddStatusPart(const std::string& text, int width) override;
  void HideWindow() override;
  void PostOpenMainWindow() override;
  void ShowMessage(const Message& message) override { Record(message); }

  std::string RegisterCaptchaPicture() const;
  std::vector<std::pair<std::string, int>> StatusParts() const;

 private:
  Inputs inputs_;
  std::string loginPicture_, registerPicture_;
  std::vector<std::pair<std::string, int>> statusParts_;
};

class RecordingMainView final : public MainView, public RecordingMessages {
 public:
  using RecordingMessages::RecordingMessages;

  void SetCaption(MainCaption caption, const std::string& text) override;
  void SetHostingButtonEnabled(bool enabled) override;
  void SetQrPicture(const std::string& image) override;
  PictureSize QrPictureSize() override { return {200, 200}; }
  void SetQrPictureMode(PictureMode mode) override;
  void ClearRows(MainList list) override;
  void AppendRow(MainList list, const std::vector<std::string>& columns) override;
  int RowCount(MainList list) override;
  std::string CellText(MainList list, int row, int column) override;
  int SelectedRow(MainList list) override;
  std::string WithdrawCaptcha() override;
  void SetWithdrawCaptchaPicture(const std::string& image) override;
  void ShowMessage(const Message& message) override { Record(message); }

  void SetWithdrawCaptchaInput(std::string text);
  void Select(MainList list, int row);
  std::string Caption(MainCaption caption) const;  // "<unset>" before the first write
  bool HostingButtonEnabled() const;
  std::string QrPicture() const;
  PictureMode QrPictureMode() const;
  std::string WithdrawCaptchaPicture() const;
  std::vector<std::vector<std::string>> Rows(MainList list) const;

 private:
  std::map<MainCaption, std::string> captions_;
  bool buttonEnabled_ = true;
  std::string qrPicture_, withdrawPicture_, withdrawCaptcha_;
  PictureMode mode_ = PictureMode::kTopLeft;
  std::map<MainList, std::vector<std::vector<std::string>>> rows_;
  std::map<MainList, int> selected_;
};

// The two dialogs: two boxes to read, and closing.
template <typename View>
class RecordingDialogView : public View, public RecordingMessages {
 public:
  RecordingDialogView(EventLog& log, std::string first, std::string second)
      : RecordingMessages(log), first_(std::move(first)), second_(std::move(second)) {}
  void ShowMessage(const Message& message) override { Record(message); }
  void CloseDialog() override { log_.Add("dialog closed"); }

 protected:
  std::string first_, second_;
};

class RecordingBindView final : public RecordingDialogView<BindAlipayView> {
 public:
  using RecordingDialogView::RecordingDialogView;
  std::string RealName() override { return first_; }
  std::string AlipayAccount() override { return second_; }
};

class RecordingChangePasswordView final : public RecordingDialogView<ChangePasswordView> {
 public:
  using RecordingDialogView::RecordingDialogView;
  std::string NewPassword() override { return first_; }
  std::string NewPasswordAgain() override { return second_; }
};

}  // namespace hosting::platform::testing
