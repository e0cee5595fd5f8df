#include "e2e/client_harness.h"

#include <QLineEdit>
#include <cstdio>
#include <cstdlib>

#include "ui/picture_box.h"

namespace hosting::e2e {
ClientHarness::ClientHarness(HarnessOptions options)
    : sandbox_([] {
        sandbox::SandboxConfig config;
        config.demo = true;
        config.threads = 64;  // one per kept-alive connection: every hosting poll holds one
        return config;
      }()) {
  app::ClientSettings settings;
  settings.endpoints = sandbox_.Endpoints();
  if (!options.platformUrl.empty())
    settings.endpoints.platformBaseUrl = options.platformUrl;
  settings.settingsFile = settingsFile();
  settings.timings = options.timings;
  settings.requestTimeout = options.requestTimeout;
  settings.decorate = options.decorate;
  settings.openUrl = [this](const QString& url) { openedUrls_.push_back(url); };
  client_ = std::make_unique<app::Client>(std::move(settings), runner_, boxes_, sessionCookie_);
}

ClientHarness::~ClientHarness() {
  client_->RequestShutdown();
  if (!WaitWorkers(std::chrono::seconds(60))) {
    // Freeing the client under a running worker would turn a hung flow into a use-after-free.
    std::fputs("ClientHarness: a worker still runs 60 s after shutdown\n", stderr);
    std::abort();
  }
}

bool ClientHarness::WaitWorkers(std::chrono::milliseconds limit) {
  if (!QTest::qWaitFor([this] { return runner_.Idle(); }, static_cast<int>(limit.count())))
    return false;
  runner_.JoinAll();
  // Delivers the writes the workers queued for the GUI thread before they ended.
  QCoreApplication::sendPostedEvents();
  return true;
}

void ClientHarness::LogIn(const QString& user, const QString& password, bool remember,
                          const QString& captcha) {
  ui::LoginWindow& window = login();
  auto& picture = Control<ui::PictureBox>(window, "图片框1");
  if (!WaitFor([&] { return !picture.image().isNull(); }))
    throw std::runtime_error("no start-up captcha");
  const std::pair<const char*, QString> typed[] = {
      {"编辑框1", user}, {"编辑框2", password}, {"编辑框3", captcha}};
  for (const auto& [name, text] : typed) {
    Control<QLineEdit>(window, name).clear();
    TypeText(Control<QLineEdit>(window, name), text);
  }
  auto& rememberBox = Control<QWidget>(window, "选择框1");
  if (remember)  // ticked near the left edge, where its box is
    QTest::mouseClick(&rememberBox, Qt::LeftButton, {}, QPoint(6, rememberBox.height() / 2));
  QTest::keyClick(&Control<QLineEdit>(window, "编辑框3"), Qt::Key_Return);
}

void TypeText(QWidget& box, const QString& text) {
  box.setFocus();
  for (const QChar ch : text)
    QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

}  // namespace hosting::e2e
