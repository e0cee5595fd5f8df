#pragma once
// ChangePasswordDialog ("修改密码"): the new password, typed twice. Modal; created anew each time
// it is opened, so its boxes start empty.

#include <QDialog>
#include <QString>
#include <memory>

class Ui_ChangePasswordDialog;

namespace hosting::ui {

class ChangePasswordDialog : public QDialog {
  Q_OBJECT
 public:
  explicit ChangePasswordDialog(QWidget* parent = nullptr);
  ~ChangePasswordDialog() override;

  QString newPassword() const;       // 编辑框1
  QString newPasswordAgain() const;  // 编辑框2

 signals:
  void changeRequested();  // 按钮1 "确认修改"

 private:
  std::unique_ptr<Ui_ChangePasswordDialog> ui_;
};

}  // namespace hosting::ui
