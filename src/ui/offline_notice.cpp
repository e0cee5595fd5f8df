#include "ui/offline_notice.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QTreeWidget>

#include "ui/main_window.h"

namespace hosting::ui {
namespace {

const QString kTitle = QStringLiteral("托管账号离线");
// Below 托管状态, between the page's two counters on the left and its buttons on the right.
const QRect kLabelGeometry(262, 474, 262, 40);

}  // namespace

OfflineNotice::OfflineNotice(MainWindow& window) : QObject(&window), window_(window) {
  if (QSystemTrayIcon::isSystemTrayAvailable())
    CreateTrayIcon();
  else
    CreateLabel();
}

OfflineNotice::~OfflineNotice() = default;

void OfflineNotice::CreateTrayIcon() {
  menu_ = std::make_unique<QMenu>();
  const auto showWindow = [this] {
    window_.showNormal();
    window_.raise();
    window_.activateWindow();
  };
  connect(menu_->addAction(QStringLiteral("显示主窗口")), &QAction::triggered, this, showWindow);
  // Closing MainWindow ends the program.
  connect(menu_->addAction(QStringLiteral("退出")), &QAction::triggered, &window_, &QWidget::close);
  tray_ = new QSystemTrayIcon(window_.windowIcon(), this);
  tray_->setContextMenu(menu_.get());
  connect(tray_, &QSystemTrayIcon::activated, this, showWindow);
  tray_->show();
}

void OfflineNotice::CreateLabel() {
  label_ = new QLabel(window_.hostedAccounts().parentWidget());
  label_->setObjectName(QStringLiteral("离线提示"));
  label_->setGeometry(kLabelGeometry);
  label_->setTextFormat(Qt::PlainText);
  label_->setWordWrap(true);
  label_->setStyleSheet(QStringLiteral("color: #c00000;"));
  label_->show();
}

void OfflineNotice::announce(const QString& text) {
  if (tray_ != nullptr) {
    tray_->showMessage(kTitle, text, QSystemTrayIcon::Warning);
    return;
  }
  if (label_ != nullptr)
    label_->setText(text);
  QApplication::alert(&window_);
}

}  // namespace hosting::ui
