#include "recording_views.h"

#include <algorithm>

namespace hosting::platform::testing {
namespace {

constexpr auto kHangGuard = std::chrono::seconds(60);

const char* CaptionName(MainCaption caption) {
  switch (caption) {
    case MainCaption::kHostingStatus:
      return "透明标签5";
    case MainCaption::kHostedTotal:
      return "透明标签3";
    case MainCaption::kOnlineCount:
      return "透明标签19";
    case MainCaption::kWithdrawnTotal:
      return "透明标签28";
    case MainCaption::kWithdrawable:
      return "透明标签29";
    case MainCaption::kEarnedToday:
      return "透明标签30";
    case MainCaption::kPayoutAccount:
      return "透明标签32";
    case MainCaption::kPayoutName:
      return "透明标签34";
  }
  return "?";
}

const char* ListName(MainList list) {
  switch (list) {
    case MainList::kHostedAccounts:
      return "托管状态";
    case MainList::kEarnings:
      return "微信业绩";
    case MainList::kWithdrawals:
      return "提现操作";
  }
  return "?";
}

std::string PictureEvent(const char* box, const std::string& image) {
  return std::string(box) + (image.empty() ? " cleared" : " picture");
}

}  // namespace

void EventLog::Add(std::string event) {
  {
    const std::lock_guard lock(mutex_);
    events_.push_back(std::move(event));
  }
  changed_.notify_all();
}

std::vector<std::string> EventLog::Events() const {
  const std::lock_guard lock(mutex_);
  return events_;
}

bool EventLog::WaitUntil(const std::function<bool(const std::vector<std::string>&)>& done) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, kHangGuard, [&] { return done(events_); });
}

bool EventLog::WaitFor(const std::string& event, int count) const {
  return WaitUntil([&](const std::vector<std::string>& events) {
    return std::count(events.begin(), events.end(), event) >= count;
  });
}

int EventLog::CountOf(const std::string& event) const {
  const std::lock_guard lock(mutex_);
  return static_cast<int>(std::count(events_.begin(), events_.end(), event));
}

std::string MessageEvent(const Message& message) {
  static constexpr const char* kIcons[] = {"none", "information", "warning", "stop"};
  return "message " + std::string(kIcons[static_cast<int>(message.icon)]) + "|" + message.title +
         "|" + message.text;
}

std::vector<Message> RecordingMessages::Messages() const {
  const std::lock_guard lock(mutex_);
  return messages_;
}

void RecordingMessages::Record(const Message& message) {
  {
    const std::lock_guard lock(mutex_);
    messages_.push_back(message);
  }
  log_.Add(MessageEvent(message));
}

// LoginView

void RecordingLoginView::SetInputs(Inputs inputs) {
  const std::lock_guard lock(mutex_);
  inputs_ = std::move(inputs);
}

std::string RecordingLoginView::UserName() {
  const std::lock_guard lock(mutex_);
  return inputs_.userName;
}

void RecordingLoginView::SetUserName(const std::string& text) {
  {
    const std::lock_guard lock(mutex_);
    inputs_.userName = text;
  }
  log_.Add("编辑框1 " + text);
}

std::string RecordingLoginView::Password() {
  const std::lock_guard lock(mutex_);
  return inputs_.password;
}

void RecordingLoginView::SetPassword(const std::string& text) {
  {
    const std::lock_guard lock(mutex_);
    inputs_.password = text;
  }
  log_.Add("编辑框2 " + text);
}

std::string RecordingLoginView::LoginCaptcha() {
  const std::lock_guard lock(mutex_);
  return inputs_.captcha;
}

bool RecordingLoginView::RememberChecked() {
  const std::lock_guard lock(mutex_);
  return inputs_.remember;
}

void RecordingLoginView::SetLoginCaptchaPicture(const std::string& image) {
  {
    const std::lock_guard lock(mutex_);
    loginPicture_ = image;
  }
  log_.Add(PictureEvent("图片框1", image));
}

std::string RecordingLoginView::LoginCaptchaPicture() {
  const std::lock_guard lock(mutex_);
  return loginPicture_;
}

std::string RecordingLoginView::RegisterUserName() {
  const std::lock_guard lock(mutex_);
  return inputs_.registerUserName;
}

std::string RecordingLoginView::RegisterPassword() {
  const std::lock_guard lock(mutex_);
  return inputs_.registerPassword;
}

std::string RecordingLoginView::RegisterPasswordAgain() {
  const std::lock_guard lock(mutex_);
  return inputs_.registerPasswordAgain;
}

std::string RecordingLoginView::RegisterCaptcha() {
  const std::lock_guard lock(mutex_);
  return inputs_.registerCaptcha;
}

void RecordingLoginView::SetRegisterCaptchaPicture(const std::string& image) {
  {
    const std::lock_guard lock(mutex_);
    registerPicture_ = image;
  }
  log_.Add(PictureEvent("图片框2", image));
}

void RecordingLoginView::AddStatusPart(const std::string& text, int width) {
  {
    const std::lock_guard lock(mutex_);
    statusParts_.emplace_back(text, width);
  }
  log_.Add("状态条1 " + text);
}

void RecordingLoginView::HideWindow() {
  log_.Add("LoginWindow hidden");
}

void RecordingLoginView::PostOpenMainWindow() {
  log_.Add("标签1 feedback");
}

std::string RecordingLoginView::RegisterCaptchaPicture() const {
  const std::lock_guard lock(mutex_);
  return registerPicture_;
}

std::vector<std::pair<std::string, int>> RecordingLoginView::StatusParts() const {
  const std::lock_guard lock(mutex_);
  return statusParts_;
}

// MainView

void RecordingMainView::SetCaption(MainCaption caption, const std::string& text) {
  {
    const std::lock_guard lock(mutex_);
    captions_[caption] = text;
  }
  log_.Add(std::string(CaptionName(caption)) + " " + text);
}

void RecordingMainView::SetHostingButtonEnabled(bool enabled) {
  {
    const std::lock_guard lock(mutex_);
    buttonEnabled_ = enabled;
  }
  log_.Add(enabled ? "按钮2 enabled" : "按钮2 disabled");
}

void RecordingMainView::SetQrPicture(const std::string& image) {
  {
    const std::lock_guard lock(mutex_);
    qrPicture_ = image;
  }
  log_.Add(PictureEvent("图片框_二维码", image));
}

void RecordingMainView::SetQrPictureMode(PictureMode mode) {
  const std::lock_guard lock(mutex_);
  mode_ = mode;
}

void RecordingMainView::ClearRows(MainList list) {
  {
    const std::lock_guard lock(mutex_);
    rows_[list].clear();
  }
  log_.Add(std::string(ListName(list)) + " cleared");
}

void RecordingMainView::AppendRow(MainList list, const std::vector<std::string>& columns) {
  {
    const std::lock_guard lock(mutex_);
    rows_[list].push_back(columns);
  }
  log_.Add(std::string(ListName(list)) + " row");
}

int RecordingMainView::RowCount(MainList list) {
  const std::lock_guard lock(mutex_);
  return static_cast<int>(rows_[list].size());
}

std::string RecordingMainView::CellText(MainList list, int row, int column) {
  const std::lock_guard lock(mutex_);
  const auto& rows = rows_[list];
  if (row < 0 || row >= static_cast<int>(rows.size()) || column < 0 ||
      column >= static_cast<int>(rows[static_cast<std::size_t>(row)].size())) {
    return {};
  }
  return rows[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)];
}

int RecordingMainView::SelectedRow(MainList list) {
  const std::lock_guard lock(mutex_);
  const auto found = selected_.find(list);
  return found == selected_.end() ? -1 : found->second;
}

std::string RecordingMainView::WithdrawCaptcha() {
  const std::lock_guard lock(mutex_);
  return withdrawCaptcha_;
}

void RecordingMainView::SetWithdrawCaptchaPicture(const std::string& image) {
  {
    const std::lock_guard lock(mutex_);
    withdrawPicture_ = image;
  }
  log_.Add(PictureEvent("图片框3", image));
}

void RecordingMainView::SetWithdrawCaptchaInput(std::string text) {
  const std::lock_guard lock(mutex_);
  withdrawCaptcha_ = std::move(text);
}

void RecordingMainView::Select(MainList list, int row) {
  const std::lock_guard lock(mutex_);
  selected_[list] = row;
}

std::string RecordingMainView::Caption(MainCaption caption) const {
  const std::lock_guard lock(mutex_);
  const auto found = captions_.find(caption);
  return found == captions_.end() ? "<unset>" : found->second;
}

bool RecordingMainView::HostingButtonEnabled() const {
  const std::lock_guard lock(mutex_);
  return buttonEnabled_;
}

std::string RecordingMainView::QrPicture() const {
  const std::lock_guard lock(mutex_);
  return qrPicture_;
}

PictureMode RecordingMainView::QrPictureMode() const {
  const std::lock_guard lock(mutex_);
  return mode_;
}

std::string RecordingMainView::WithdrawCaptchaPicture() const {
  const std::lock_guard lock(mutex_);
  return withdrawPicture_;
}

std::vector<std::vector<std::string>> RecordingMainView::Rows(MainList list) const {
  const std::lock_guard lock(mutex_);
  const auto found = rows_.find(list);
  return found == rows_.end() ? std::vector<std::vector<std::string>>{} : found->second;
}

}  // namespace hosting::platform::testing
