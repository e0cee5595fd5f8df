#pragma once
// Where the member learns that a hosted account went offline. With a system tray: a notification
// from a tray icon (the window's icon, with 显示主窗口 and 退出). Without one: the last
// announcement in a label of its own below 托管状态, and an alert on the window.

#include <QObject>
#include <QPointer>
#include <memory>

class QLabel;
class QMenu;
class QSystemTrayIcon;

namespace hosting::ui {

class MainWindow;

class OfflineNotice : public QObject {
  Q_OBJECT
 public:
  explicit OfflineNotice(MainWindow& window);
  ~OfflineNotice() override;

  void announce(const QString& text);

 private:
  void CreateTrayIcon();
  void CreateLabel();

  MainWindow& window_;
  std::unique_ptr<QMenu> menu_;
  QPointer<QSystemTrayIcon> tray_;  // owned by this object
  QPointer<QLabel> label_;          // owned by the hosting page
};

}  // namespace hosting::ui
