#pragma once
// LoginWindow ("首页"): the login, registration and password-recovery pages and the status bar with
// the version and the notice. It only shows and reports: every request is started by whoever
// listens to its signals. All members run on the GUI thread.

#include <QByteArray>
#include <QString>
#include <QWidget>
#include <memory>

class QLabel;
class QStatusBar;
class Ui_LoginWindow;

namespace hosting::ui {

class LoginWindow : public QWidget {
  Q_OBJECT
 public:
  explicit LoginWindow(QWidget* parent = nullptr);
  ~LoginWindow() override;

  QString userName() const;      // 编辑框1
  QString password() const;      // 编辑框2
  QString captcha() const;       // 编辑框3
  bool rememberChecked() const;  // 选择框1
  void setUserName(const QString& text);
  void setPassword(const QString& text);

  QString registerUserName() const;       // 编辑框4
  QString registerPassword() const;       // 编辑框5
  QString registerPasswordAgain() const;  // 编辑框6
  QString registerCaptcha() const;        // 编辑框7

  void setLoginCaptcha(const QByteArray& image);     // 图片框1
  void setRegisterCaptcha(const QByteArray& image);  // 图片框2
  QByteArray loginCaptcha() const;

  // Appends one part to 状态条1; parts sit side by side at exactly their widths.
  void appendStatusPart(const QString& text, int width);

  // 标签1: the hidden label that receives the login worker's feedback (a FeedbackEvent).
  QObject& feedbackLabel() const;

 signals:
  void loginRequested();                  // 按钮1, or Enter in 编辑框3
  void registerRequested();               // 按钮2
  void loginCaptchaRequested();           // 图片框1 pressed
  void registerCaptchaRequested();        // 图片框2 pressed
  void updateLinkRequested();             // 状态条1 pressed
  void feedback(qintptr p1, qintptr p2);  // a FeedbackEvent reached 标签1
  void closed();                          // the member closed the window

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::unique_ptr<Ui_LoginWindow> ui_;
  QWidget* statusParts_ = nullptr;
};

}  // namespace hosting::ui
