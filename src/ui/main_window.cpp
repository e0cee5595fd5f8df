#include "ui/main_window.h"

#include <QCloseEvent>

#include "ui/list_columns.h"
#include "ui/window_resources.h"
#include "ui_main_window.h"

namespace hosting::ui {

MainWindow::MainWindow(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui_MainWindow>()) {
  EnsureWindowResources();
  ui_->setupUi(this);
  for (QTreeWidget* list : {ui_->托管状态, ui_->微信业绩, ui_->提现操作})
    ApplyColumnWidths(*list);

  connect(ui_->按钮2, &QPushButton::clicked, this, &MainWindow::qrRequested);
  connect(ui_->按钮9, &QPushButton::clicked, this, &MainWindow::qrReleaseRequested);
  connect(ui_->按钮8, &QPushButton::clicked, this, &MainWindow::refreshRequested);
  connect(ui_->按钮7, &QPushButton::clicked, this, &MainWindow::clearOfflineRequested);
  connect(ui_->按钮1, &QPushButton::clicked, this, &MainWindow::earningsRequested);
  connect(ui_->按钮4, &QPushButton::clicked, this, &MainWindow::withdrawalsRequested);
  connect(ui_->按钮3, &QPushButton::clicked, this, &MainWindow::withdrawRequested);
  connect(ui_->按钮5, &QPushButton::clicked, this, &MainWindow::bindDialogRequested);
  connect(ui_->按钮6, &QPushButton::clicked, this, &MainWindow::changePasswordRequested);
  connect(ui_->图片框3, &PictureBox::pressed, this, &MainWindow::withdrawCaptchaRequested);
  // Only a move to another row fetches an avatar; emptying the list leaves no current row.
  connect(ui_->托管状态, &QTreeWidget::currentItemChanged, this,
          [this](const QTreeWidgetItem* current) {
            if (current != nullptr)
              emit avatarRequested();
          });
}

MainWindow::~MainWindow() = default;

PictureBox& MainWindow::qrPicture() const {
  return *ui_->图片框_二维码;
}
PictureBox& MainWindow::withdrawCaptcha() const {
  return *ui_->图片框3;
}
QWidget& MainWindow::qrButton() const {
  return *ui_->按钮2;
}
QLabel& MainWindow::qrStatus() const {
  return *ui_->透明标签5;
}
QTreeWidget& MainWindow::hostedAccounts() const {
  return *ui_->托管状态;
}
QTreeWidget& MainWindow::earnings() const {
  return *ui_->微信业绩;
}
QTreeWidget& MainWindow::withdrawals() const {
  return *ui_->提现操作;
}
QString MainWindow::withdrawCaptchaAnswer() const {
  return ui_->编辑框1->text();
}

QLabel& MainWindow::label(const QString& name) const {
  auto* found = findChild<QLabel*>(name);
  Q_ASSERT(found != nullptr);
  return *found;
}

void MainWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  emit closed();
}

}  // namespace hosting::ui
