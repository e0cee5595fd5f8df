#include "app/qt_login_view.h"

#include "app/feedback.h"
#include "app/qt_text.h"

namespace hosting::app {

using ui::LoginWindow;

QtLoginView::QtLoginView(LoginWindow& window, MessageBoxes& boxes)
    : calls_(&window, boxes), feedbackLabel_(&window.feedbackLabel()) {}

void QtLoginView::ShowMessage(const platform::Message& message) {
  calls_.ShowMessage(message);
}

std::string QtLoginView::UserName() {
  return calls_.Get([](const LoginWindow& w) { return ToUtf8(w.userName()); });
}
void QtLoginView::SetUserName(const std::string& text) {
  calls_.Set([text = ToQString(text)](LoginWindow& w) { w.setUserName(text); });
}
std::string QtLoginView::Password() {
  return calls_.Get([](const LoginWindow& w) { return ToUtf8(w.password()); });
}
void QtLoginView::SetPassword(const std::string& text) {
  calls_.Set([text = ToQString(text)](LoginWindow& w) { w.setPassword(text); });
}
std::string QtLoginView::LoginCaptcha() {
  return calls_.Get([](const LoginWindow& w) { return ToUtf8(w.captcha()); });
}
bool QtLoginView::RememberChecked() {
  return calls_.Get([](const LoginWindow& w) { return w.rememberChecked(); });
}
void QtLoginView::SetLoginCaptchaPicture(const std::string& image) {
  calls_.Set([bytes = ToBytes(image)](LoginWindow& w) { w.setLoginCaptcha(bytes); });
}
std::string QtLoginView::LoginCaptchaPicture() {
  return calls_.Get([](const LoginWindow& w) { return w.loginCaptcha().toStdString(); });
}
std::string QtLoginView::RegisterUserName() {
  return calls_.Get([](const LoginWindow& w) { return ToUtf8(w.registerUserName()); });
}
std::string QtLoginView::RegisterPassword() {
  return calls_.Get([](const LoginWindow& w) { return ToUtf8(w.registerPassword()); });
}
std::string QtLoginView::RegisterPasswordAgain() {
  return calls_.Get([](const LoginWindow& w) { return ToUtf8(w.registerPasswordAgain()); });
}
std::string QtLoginView::RegisterCaptcha() {
  return calls_.Get([](const LoginWindow& w) { return ToUtf8(w.registerCaptcha()); });
}
void QtLoginView::SetRegisterCaptchaPicture(const std::string& image) {
  calls_.Set([bytes = ToBytes(image)](LoginWindow& w) { w.setRegisterCaptcha(bytes); });
}
void QtLoginView::AddStatusPart(const std::string& text, int width) {
  calls_.Set([text = ToQString(text), width](LoginWindow& w) { w.appendStatusPart(text, width); });
}
void QtLoginView::HideWindow() {
  calls_.Set([](LoginWindow& w) { w.hide(); });
}
void QtLoginView::PostOpenMainWindow() {
  if (feedbackLabel_)
    PostFeedback(*feedbackLabel_, 0, 0);
}

}  // namespace hosting::app
