#pragma once
// MainWindow ("平台业务"): hosting by QR code and the hosted accounts, the earnings, the member's
// balances and withdrawals, and the questions and answers. It only shows and reports: every request
// is started by whoever listens to its signals. All members run on the GUI thread.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QWidget>
#include <memory>

class QLabel;
class QTreeWidget;
class Ui_MainWindow;

namespace hosting::ui {

class PictureBox;

class MainWindow : public QWidget {
  Q_OBJECT
 public:
  explicit MainWindow(QWidget* parent = nullptr);
  ~MainWindow() override;

  // Controls the flows write to or read from, by their template names.
  PictureBox& qrPicture() const;             // 图片框_二维码
  PictureBox& withdrawCaptcha() const;       // 图片框3
  QWidget& qrButton() const;                 // 按钮2 "获取二维码"
  QLabel& qrStatus() const;                  // 透明标签5
  QLabel& label(const QString& name) const;  // any 透明标签N of the window
  QTreeWidget& hostedAccounts() const;       // 托管状态
  QTreeWidget& earnings() const;             // 微信业绩
  QTreeWidget& withdrawals() const;          // 提现操作
  QString withdrawCaptchaAnswer() const;     // 编辑框1 of "个人中心"

 signals:
  void qrRequested();               // 按钮2 "获取二维码"
  void qrReleaseRequested();        // 按钮9 "释放二维码"
  void refreshRequested();          // 按钮8 "刷新页面"
  void clearOfflineRequested();     // 按钮7 "清除掉线微信"
  void avatarRequested();           // another row of 托管状态 became the current one
  void earningsRequested();         // 按钮1 "查询业绩"
  void withdrawalsRequested();      // 按钮4 "查询"
  void withdrawRequested();         // 按钮3 "提现"
  void withdrawCaptchaRequested();  // 图片框3 pressed
  void bindDialogRequested();       // 按钮5 "绑定支付宝"
  void changePasswordRequested();   // 按钮6 "修改密码"
  void closed();                    // the member closed the window

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  std::unique_ptr<Ui_MainWindow> ui_;
};

}  // namespace hosting::ui
