#include "ui/main_window.h"

#include <QCloseEvent>
#include <QSignalBlocker>

#include "ui/accessibility.h"
#include "ui/list_columns.h"
#include "ui/window_resources.h"
#include "ui_main_window.h"

namespace hosting::ui {

MainWindow::MainWindow(QWidget* parent) : QWidget(parent), ui_(std::make_unique<Ui_MainWindow>()) {
  EnsureWindowResources();
  EnsureAccessibleInterfaces();
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
  ui_->托管状态->installEventFilter(this);
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

// Keyboard focus entering 托管状态 without a current row (by Tab, or handed on by 获取二维码 as it
// disables itself) makes Qt pick the first row by itself. That is no choice of the member and must
// not replace a fresh hosting code by an avatar: the list takes the focus with no current row.
bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
  QTreeWidget* list = ui_->托管状态;
  if (watched == list && event->type() == QEvent::FocusIn && list->currentItem() == nullptr) {
    const QSignalBlocker quiet(list);
    static_cast<QObject*>(list)->event(event);
    list->setCurrentItem(nullptr);
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  QWidget::closeEvent(event);
  emit closed();
}

}  // namespace hosting::ui
