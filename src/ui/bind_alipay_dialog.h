#pragma once
// BindAlipayDialog ("绑定支付宝"): the real name and the Alipay account that receives payouts.
// Modal; created anew each time it is opened, so its boxes start empty.

#include <QDialog>
#include <QString>
#include <memory>

class Ui_BindAlipayDialog;

namespace hosting::ui {

class BindAlipayDialog : public QDialog {
  Q_OBJECT
 public:
  explicit BindAlipayDialog(QWidget* parent = nullptr);
  ~BindAlipayDialog() override;

  QString realName() const;  // 编辑框1
  QString account() const;   // 编辑框2

 signals:
  void bindRequested();  // 按钮1 "确认绑定"

 private:
  std::unique_ptr<Ui_BindAlipayDialog> ui_;
};

}  // namespace hosting::ui
