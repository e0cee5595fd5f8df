#include "ui/change_password_dialog.h"

#include "ui_change_password_dialog.h"

namespace hosting::ui {

ChangePasswordDialog::ChangePasswordDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui_ChangePasswordDialog>()) {
  ui_->setupUi(this);
  connect(ui_->按钮1, &QPushButton::clicked, this, &ChangePasswordDialog::changeRequested);
}

ChangePasswordDialog::~ChangePasswordDialog() = default;

QString ChangePasswordDialog::newPassword() const {
  return ui_->编辑框1->text();
}
QString ChangePasswordDialog::newPasswordAgain() const {
  return ui_->编辑框2->text();
}

}  // namespace hosting::ui
