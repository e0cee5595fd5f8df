#pragma once
// The real client (windows, views, flows, transport) against an in-process platform-sandbox with
// its demo member, with message boxes recorded and the browser hand-over captured. One per test;
// it stops its workers and the sandbox when it goes.

#include <QString>
#include <QWidget>
#include <chrono>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/client.h"
#include "net/session_cookie.h"
#include "support/files.h"
#include "support/joining_runner.h"
#include "support/recording_message_boxes.h"
#include "support/test_sandbox.h"
#include "ui/login_window.h"
#include "ui/main_window.h"

namespace hosting::e2e {

struct HarnessOptions {
  std::string platformUrl;  // another platform than the sandbox (a scripted one); empty: none
  std::chrono::seconds requestTimeout{30};
  platform::HostingTimings timings;
  std::function<void(QWidget&)> decorate;  // the skin step; none by default
};

class ClientHarness {
 public:
  explicit ClientHarness(HarnessOptions options = {});
  ~ClientHarness();

  // Shows LoginWindow and starts StartupWorker, as the program does.
  void Start() { client_->Start(); }
  // Waits until every worker has finished (the GUI thread serves them meanwhile); false after
  // `limit`, with the stragglers still running.
  bool WaitWorkers(std::chrono::milliseconds limit = std::chrono::seconds(30));

  testing_support::TestSandbox& sandbox() { return sandbox_; }
  app::Client& client() { return *client_; }
  ui::LoginWindow& login() { return client_->loginWindow(); }
  ui::MainWindow* main() { return client_->mainWindow(); }
  testing_support::RecordingMessageBoxes& boxes() { return boxes_; }
  std::filesystem::path settingsFile() const { return folder_.path() / "datas.ini"; }
  const std::vector<QString>& openedUrls() const { return openedUrls_; }

  // Waits for a start-up captcha, then types user name, password and the captcha into the login
  // page and presses Enter in the captcha box.
  void LogIn(const QString& user, const QString& password, bool remember,
             const QString& captcha = testing_support::kCaptcha);
  // LogIn, then waits for MainWindow and its first loads.
  ui::MainWindow& LogInToMain(const QString& user, const QString& password);

 private:
  testing_support::ScratchFolder folder_;
  testing_support::TestSandbox sandbox_;
  net::SessionCookie sessionCookie_;
  testing_support::RecordingMessageBoxes boxes_;
  testing_support::JoiningRunner runner_;
  std::vector<QString> openedUrls_;
  std::unique_ptr<app::Client> client_;
};

// Waits (serving the GUI thread) until `condition` holds; false after `ms`.
bool WaitFor(const std::function<bool()>& condition, int ms = 15000);

// The one control of that name in `window`; throws when it is missing.
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

}  // namespace hosting::e2e
