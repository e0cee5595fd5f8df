#include "e2e/client_harness.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QTest>
#include <cstdio>
#include <cstdlib>
#include <regex>

#include "platform/platform_endpoints.h"
#include "ui/picture_box.h"

namespace hosting::e2e {

sandbox::SandboxConfig HarnessOptions::DefaultSandbox() {
  sandbox::SandboxConfig config;
  config.db = ":memory:";
  config.port = 0;
  config.versionPort = 0;
  config.demo = true;
  config.threads = 64;  // one per kept-alive connection: every hosting poll holds one
  return config;
}

ClientHarness::ClientHarness(HarnessOptions options)
    : settingsFile_(std::filesystem::path(dir_.path().toStdString()) / "datas.ini"),
      server_(std::make_unique<sandbox::PlatformServer>(options.sandbox)) {
  server_->Start();
  endpoints_.platformBaseUrl = options.platformUp ? server_->BaseUrl() : kDeadUrl;
  if (!options.platformUrl.empty())
    endpoints_.platformBaseUrl = options.platformUrl;
  endpoints_.versionServiceUrl = options.versionServiceUp ? server_->VersionBaseUrl() : kDeadUrl;
  endpoints_.updatePackageUrl = server_->VersionBaseUrl() + "/download/hosting-client-update.zip";

  app::ClientSettings settings;
  settings.endpoints = endpoints_;
  settings.settingsFile = settingsFile_;
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
  client_.reset();
  server_->Stop();
}

void ClientHarness::Start() {
  client_->Start();
}

bool ClientHarness::WaitWorkers(std::chrono::milliseconds limit) {
  if (!QTest::qWaitFor([this] { return runner_.Idle(); }, static_cast<int>(limit.count())))
    return false;
  runner_.JoinAll();
  // Delivers the writes the workers queued for the GUI thread before they ended.
  QCoreApplication::sendPostedEvents();
  return true;
}

std::string ClientHarness::CurrentCaptcha() {
  static const std::regex session("JSESSIONID=([^;]+)");
  std::smatch match;
  const std::string cookie = sessionCookie_.Read();
  if (!std::regex_search(cookie, match, session))
    return {};
  return server_->context().sessions.CaptchaOf(match[1].str());
}

void ClientHarness::LogIn(const QString& user, const QString& password, bool remember,
                          std::optional<QString> captcha) {
  ui::LoginWindow& window = login();
  auto& picture = Control<ui::PictureBox>(window, "图片框1");
  if (!WaitFor([&] { return !picture.image().isNull(); }))
    throw std::runtime_error("no start-up captcha");
  for (const char* name : {"编辑框1", "编辑框2", "编辑框3"})
    Control<QLineEdit>(window, name).clear();
  TypeText(Control<QLineEdit>(window, "编辑框1"), user);
  TypeText(Control<QLineEdit>(window, "编辑框2"), password);
  if (remember)
    Tick(Control<QWidget>(window, "选择框1"));
  auto& captchaBox = Control<QLineEdit>(window, "编辑框3");
  TypeText(captchaBox, captcha.value_or(QString::fromStdString(CurrentCaptcha())));
  QTest::keyClick(&captchaBox, Qt::Key_Return);
}

ui::MainWindow& ClientHarness::LogInToMain(const QString& user, const QString& password) {
  LogIn(user, password, false);
  if (!WaitFor([this] { return main() != nullptr && main()->isVisible(); })) {
    std::string shown;
    for (const auto& box : boxes_.Shown())
      shown += " [" + box.message.text + "]";
    throw std::runtime_error("MainWindow did not open; messages:" + shown);
  }
  WaitWorkers();
  return *main();
}

bool WaitFor(const std::function<bool()>& condition, int ms) {
  return QTest::qWaitFor(condition, ms);
}

void TypeText(QWidget& box, const QString& text) {
  box.setFocus();
  for (const QChar ch : text) {
    QTest::sendKeyEvent(QTest::Click, &box, Qt::Key_unknown, QString(ch), Qt::NoModifier);
  }
}

void Click(QWidget& button) {
  QTest::mouseClick(&button, Qt::LeftButton);
}

void Tick(QWidget& checkBox) {
  QTest::mouseClick(&checkBox, Qt::LeftButton, {}, QPoint(6, checkBox.height() / 2));
}

}  // namespace hosting::e2e
