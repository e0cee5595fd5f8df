#pragma once
// The real client (windows, views, flows, transport) against an in-process platform-sandbox on
// free loopback ports, with message boxes recorded and the browser hand-over captured. One per
// test; it stops its workers and the sandbox when it goes.

#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <chrono>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/client.h"
#include "net/session_cookie.h"
#include "sandbox/platform_server.h"
#include "support/joining_runner.h"
#include "support/recording_message_boxes.h"
#include "ui/login_window.h"
#include "ui/main_window.h"

namespace hosting::e2e {

// An address where nothing listens: a dead platform or version service.
inline constexpr const char* kDeadUrl = "http://127.0.0.1:1";

struct HarnessOptions {
  sandbox::SandboxConfig sandbox = DefaultSandbox();
  bool platformUp = true;
  bool versionServiceUp = true;
  std::string platformUrl;  // another platform than the sandbox (a scripted one); empty: none
  std::chrono::seconds requestTimeout{30};
  platform::HostingTimings timings;
  std::function<void(QWidget&)> decorate;  // the skin step; none by default

  static sandbox::SandboxConfig DefaultSandbox();
};

class ClientHarness {
 public:
  explicit ClientHarness(HarnessOptions options = {});
  ~ClientHarness();

  // Shows LoginWindow and starts StartupWorker, as the program does.
  void Start();
  // Waits until every worker has finished (the GUI thread serves them meanwhile); false after
  // `limit`, with the stragglers still running.
  bool WaitWorkers(std::chrono::milliseconds limit = std::chrono::seconds(30));

  sandbox::PlatformServer& server() { return *server_; }
  app::Client& client() { return *client_; }
  ui::LoginWindow& login() { return client_->loginWindow(); }
  ui::MainWindow* main() { return client_->mainWindow(); }
  testing_support::RecordingMessageBoxes& boxes() { return boxes_; }
  const std::filesystem::path& settingsFile() const { return settingsFile_; }
  const std::vector<QString>& openedUrls() const { return openedUrls_; }
  const platform::PlatformEndpoints& endpoints() const { return endpoints_; }

  // The captcha the sandbox expects from the client's session now.
  std::string CurrentCaptcha();
  // Waits for a start-up captcha, then types user name, password and the right (or given)
  // captcha into the login page and presses Enter in the captcha box.
  void LogIn(const QString& user, const QString& password, bool remember,
             std::optional<QString> captcha = std::nullopt);
  // LogIn with the right captcha, then waits for MainWindow and its first loads.
  ui::MainWindow& LogInToMain(const QString& user, const QString& password);

 private:
  QTemporaryDir dir_;
  std::filesystem::path settingsFile_;
  std::unique_ptr<sandbox::PlatformServer> server_;
  platform::PlatformEndpoints endpoints_;
  net::SessionCookie sessionCookie_;
  testing_support::RecordingMessageBoxes boxes_;
  testing_support::JoiningRunner runner_;
  std::vector<QString> openedUrls_;
  std::unique_ptr<app::Client> client_;
};

// Waits (serving the GUI thread) until `condition` holds; false after `ms`.
bool WaitFor(const std::function<bool()>& condition, int ms = 15000);

// The one control of that name in `window`; fails the test when it is missing.
template <typename T>
T& Control(const QWidget& window, const char* name) {
  T* found = window.findChild<T*>(QString::fromUtf8(name));
  if (found == nullptr)
    throw std::runtime_error(std::string("no control named ") + name);
  return *found;
}

// Types `text` into `box` key by key (QTest::keyClicks cannot send Chinese).
void TypeText(QWidget& box, const QString& text);
void Click(QWidget& button);
// Ticks a check box the way a member does, near the left edge where its box is.
void Tick(QWidget& checkBox);

}  // namespace hosting::e2e
