#include "ui/bind_alipay_dialog.h"

#include "ui/window_resources.h"
#include "ui_bind_alipay_dialog.h"

namespace hosting::ui {

BindAlipayDialog::BindAlipayDialog(QWidget* parent)
    : QDialog(parent), ui_(std::make_unique<Ui_BindAlipayDialog>()) {
  EnsureWindowResources();
  ui_->setupUi(this);
  connect(ui_->按钮1, &QPushButton::clicked, this, &BindAlipayDialog::bindRequested);
}

BindAlipayDialog::~BindAlipayDialog() = default;

QString BindAlipayDialog::realName() const {
  return ui_->编辑框1->text();
}
QString BindAlipayDialog::account() const {
  return ui_->编辑框2->text();
}

}  // namespace hosting::ui
