// Grabs the client's windows as a member sees them into PNG files: LoginWindow's three pages after
// start-up, MainWindow's four pages after a demo login with a live hosting code and filled lists,
// then the hosting page once that code has expired and once the watch has announced an account
// gone offline. Runs against an in-process sandbox with its demo data, with a code life and a
// watch interval of seconds; scripts/screenshots.sh runs it.
//
//   client-screenshots OUTPUT_DIRECTORY

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QTabWidget>
#include <QTreeWidget>
#include <cstdio>

#include "app/startup_skin.h"
#include "e2e/client_harness.h"
#include "log_in_to_main.h"
#include "ui/picture_box.h"

namespace {

using namespace hosting;

// Each page of the window's tab control into "<name>.png".
bool GrabPages(QWidget& window, const QDir& directory, const std::vector<const char*>& names) {
  auto& tabs = e2e::Control<QTabWidget>(window, "选择夹1");
  bool ok = true;
  for (std::size_t page = 0; page < names.size(); ++page) {
    tabs.setCurrentIndex(static_cast<int>(page));
    QCoreApplication::processEvents();
    const QString file = directory.filePath(QString::fromUtf8(names[page]) + ".png");
    const bool saved = window.grab().save(file);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(file));
    ok = ok && saved;
  }
  tabs.setCurrentIndex(0);
  return ok;
}

bool GrabWindow(QWidget& window, const QDir& directory, const char* name) {
  QCoreApplication::processEvents();
  const QString file = directory.filePath(QString::fromUtf8(name) + ".png");
  const bool saved = window.grab().save(file);
  std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(file));
  return saved;
}

// The code on screen expires; then the platform takes an account offline and the watch says so.
bool GrabHostingAfterwards(e2e::ClientHarness& harness, ui::MainWindow& main,
                           const QDir& directory) {
  const bool expired =
      e2e::WaitFor([&] { return !main.qrPicture().accessibleDescription().isEmpty(); }, 20000);
  bool ok = expired && GrabWindow(main, directory, "main-5-expired-code");
  QLabel& hosted = main.label(QStringLiteral("透明标签3"));
  hosted.clear();
  if (!e2e::WaitFor([&] { return !hosted.text().isEmpty(); }))
    return false;
  // Found after the look: each look replaces the rows.
  const auto online = main.hostedAccounts().findItems(QStringLiteral("在线"), Qt::MatchExactly, 1);
  if (online.isEmpty())
    return false;
  harness.sandbox().platform().hosting.SetOnline(online.front()->text(0).toLongLong(), false);
  const auto& notice = e2e::Control<QLabel>(main, "离线提示");
  ok = e2e::WaitFor([&] { return !notice.text().isEmpty(); }) &&
       GrabWindow(main, directory, "main-6-offline-notice") && ok;
  return ok;
}

int Run(const QDir& directory) {
  e2e::HarnessOptions options;
  options.decorate = app::AttachStartupSkin;
  options.timings.countdownTick = std::chrono::milliseconds(40);  // a code lives 4 s
  options.timings.watchInterval = std::chrono::seconds(1);
  e2e::ClientHarness harness(options);
  harness.Start();
  ui::LoginWindow& login = harness.login();
  if (!e2e::WaitFor(
          [&] { return !e2e::Control<ui::PictureBox>(login, "图片框2").image().isNull(); })) {
    std::fprintf(stderr, "LoginWindow did not finish its start-up.\n");
    return 1;
  }
  harness.WaitWorkers();
  login.setUserName(QStringLiteral("demo"));
  login.setPassword(QStringLiteral("demo123"));
  bool ok = GrabPages(login, directory, {"login-1-login", "login-2-register", "login-3-recovery"});

  ui::MainWindow& main =
      e2e::LogInToMain(harness, QStringLiteral("demo"), QStringLiteral("demo123"));
  for (const char* button : {"按钮2", "按钮1", "按钮4"})  // 获取二维码, 查询业绩, 查询
    e2e::Click(e2e::Control<QWidget>(main, button));
  const bool filled = e2e::WaitFor([&] {
    return main.qrStatus().text().contains(QStringLiteral("秒后失效")) &&
           main.earnings().topLevelItemCount() > 0 && main.withdrawals().topLevelItemCount() > 0;
  });
  ok = filled &&
       GrabPages(main, directory,
                 {"main-1-hosting", "main-2-earnings", "main-3-account", "main-4-faq"}) &&
       ok;
  ok = GrabHostingAfterwards(harness, main, directory) && ok;
  e2e::Click(e2e::Control<QWidget>(main, "按钮9"));  // 释放二维码
  return ok ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: client-screenshots OUTPUT_DIRECTORY\n");
    return 2;
  }
  if (QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty()) {
    std::fprintf(stderr, "No Chinese font is installed; install fonts-wqy-microhei first.\n");
    return 1;
  }
  const QDir directory(QString::fromLocal8Bit(argv[1]));
  if (!directory.mkpath(QStringLiteral("."))) {
    std::fprintf(stderr, "Cannot create %s\n", argv[1]);
    return 1;
  }
  return Run(directory);
}
