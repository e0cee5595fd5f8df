#pragma once
// The real client against an in-process sandbox with its demo member, message boxes recorded and
// the browser hand-over captured; it stops its workers and the sandbox when it goes.

#include <QTest>
#include <QWidget>
#include <chrono>
#include <stdexcept>

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

  void Start() { client_->Start(); }
  // Waits, serving the GUI thread, until every worker has finished; false after `limit`.
  bool WaitWorkers(std::chrono::milliseconds limit = std::chrono::seconds(30));

  testing_support::TestSandbox& sandbox() { return sandbox_; }
  app::Client& client() { return *client_; }
  ui::LoginWindow& login() { return client_->loginWindow(); }
  ui::MainWindow* main() { return client_->mainWindow(); }
  testing_support::RecordingMessageBoxes& boxes() { return boxes_; }
  std::filesystem::path settingsFile() const { return folder_.path() / "datas.ini"; }
  const std::vector<QString>& openedUrls() const { return openedUrls_; }

  // Once a start-up captcha is drawn, types the three boxes and presses Enter in the captcha box.
  void LogIn(const QString& user, const QString& password, bool remember,
             const QString& captcha = testing_support::kCaptcha);

 private:
  testing_support::ScratchFolder folder_;
  testing_support::TestSandbox sandbox_;
  net::SessionCookie sessionCookie_;
  testing_support::RecordingMessageBoxes boxes_;
  testing_support::JoiningRunner runner_;
  std::vector<QString> openedUrls_;
  std::unique_ptr<app::Client> client_;
};

inline bool WaitFor(const std::function<bool()>& condition, int ms = 15000) {
  return QTest::qWaitFor(condition, ms);
}

template <typename T>
T& Control(const QWidget& window, const char* name) {
  T* found = window.findChild<T*>(QString::fromUtf8(name));
  if (found == nullptr)
    throw std::runtime_error(std::string("no control named ") + name);
  return *found;
}

// Key by key (QTest::keyClicks cannot send Chinese).
void TypeText(QWidget& box, const QString& text);
inline void Click(QWidget& button) {
  QTest::mouseClick(&button, Qt::LeftButton);
}

}  // namespace hosting::e2e
