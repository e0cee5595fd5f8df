#pragma once
// The client's windows and the flows behind them: LoginWindow at start, MainWindow after a login,
// the two dialogs on demand. Every event that needs the network starts a worker through the task
// runner; the GUI thread never waits for the network. Lives on the GUI thread until the process
// ends (tests destroy it once their workers have finished).

#include <QObject>
#include <QString>
#include <chrono>
#include <filesystem>
#include <functional>
#include <memory>
#include <stop_token>

#include "app/message_boxes.h"
#include "platform/flow_context.h"
#include "platform/hosted_accounts_watch.h"

class QWidget;

namespace hosting::ui {
class LoginWindow;
class MainWindow;
}  // namespace hosting::ui

namespace hosting::app {

class QtLoginView;
class QtMainView;

struct ClientSettings {
  platform::PlatformEndpoints endpoints;
  std::filesystem::path settingsFile;  // datas.ini
  platform::HostingTimings timings;
  platform::ClockConvention clock;
  std::chrono::seconds requestTimeout{30};  // each phase of each platform request
  // The skin step, run on LoginWindow once it is shown and before StartupWorker starts. Empty:
  // none.
  std::function<void(QWidget&)> decorate;
  // Hands an address to the member's browser (the status bar's update link).
  std::function<void(const QString&)> openUrl;
};

class Client : public QObject {
  Q_OBJECT
 public:
  Client(ClientSettings settings, platform::TaskRunner& runner, MessageBoxes& boxes,
         net::SessionCookie& sessionCookie);
  ~Client() override;

  // Shows LoginWindow, runs the skin step and starts StartupWorker.
  void Start();
  // Asks long-running workers (the hosting poll) to stop and ends the watch; the destructor does it
  // too.
  void RequestShutdown();

  ui::LoginWindow& loginWindow() const { return *login_; }
  ui::MainWindow* mainWindow() const { return main_.get(); }

 signals:
  void loginWindowClosed();  // the member closed the visible LoginWindow
  void mainWindowClosed();   // the member closed MainWindow

 private:
  void ConnectLoginWindow();
  void OpenMainWindow();
  void ConnectMainWindow();
  void OpenBindDialog();
  void OpenChangePasswordDialog();
  void Background(std::function<void()> task);

  ClientSettings settings_;
  MessageBoxes& boxes_;
  std::stop_source shutdown_;
  platform::QrCountdownSlot countdown_;
  platform::HostedListGate hostedList_;
  platform::FlowContext context_;
  std::unique_ptr<ui::LoginWindow> login_;
  std::shared_ptr<QtLoginView> loginView_;
  std::unique_ptr<ui::MainWindow> main_;
  std::shared_ptr<QtMainView> mainView_;
  std::unique_ptr<platform::HostedAccountsWatch> watch_;  // while MainWindow is open
};

}  // namespace hosting::app
