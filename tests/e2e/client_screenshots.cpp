// Grabs the client's windows as a member sees them into PNG files: LoginWindow's three pages after
// start-up, and MainWindow's four pages after a demo login with a live hosting code and filled
// lists. Runs against an in-process sandbox with its demo data; scripts/screenshots.sh runs it.
//
//   client-screenshots OUTPUT_DIRECTORY

#include <QApplication>
#include <QDir>
#include <QFontDatabase>
#include <QLabel>
#include <QStatusBar>
#include <QTabWidget>
#include <QTreeWidget>
#include <cstdio>

#include "app/startup_skin.h"
#include "e2e/client_harness.h"
#include "ui/picture_box.h"

namespace {

using namespace hosting;

bool HasChineseFont() {
  return !QFontDatabase::families(QFontDatabase::SimplifiedChinese).isEmpty();
}

bool Save(QWidget& window, const QDir& directory, const char* name) {
  QCoreApplication::processEvents();
  const QString file = directory.filePath(QString::fromUtf8(name) + ".png");
  const bool saved = window.grab().save(file);
  std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(file));
  return saved;
}

bool GrabPages(QWidget& window, const QDir& directory, const std::vector<const char*>& names,
               const std::function<void(int)>& beforePage = {}) {
  auto& tabs = e2e::Control<QTabWidget>(window, "选择夹1");
  bool ok = true;
  for (int page = 0; page < static_cast<int>(names.size()); ++page) {
    tabs.setCurrentIndex(page);
    if (beforePage)
      beforePage(page);
    ok = Save(window, directory, names[static_cast<std::size_t>(page)]) && ok;
  }
  tabs.setCurrentIndex(0);
  return ok;
}

int Run(const QDir& directory) {
  e2e::HarnessOptions options;
  options.decorate = app::AttachStartupSkin;
  e2e::ClientHarness harness(options);
  harness.Start();
  ui::LoginWindow& login = harness.login();
  const bool started = e2e::WaitFor([&] {
    return e2e::Control<QStatusBar>(login, "状态条1").findChildren<QLabel*>().size() == 2 &&
           !e2e::Control<ui::PictureBox>(login, "图片框2").image().isNull();
  });
  if (!started) {
    std::fprintf(stderr, "LoginWindow did not finish its start-up.\n");
    return 1;
  }
  harness.WaitWorkers();
  login.setUserName(QStringLiteral("demo"));
  login.setPassword(QStringLiteral("demo123"));
  bool ok = GrabPages(login, directory, {"login-1-login", "login-2-register", "login-3-recovery"});

  ui::MainWindow& main = harness.LogInToMain(QStringLiteral("demo"), QStringLiteral("demo123"));
  e2e::Click(e2e::Control<QWidget>(main, "按钮2"));  // 获取二维码
  if (!e2e::WaitFor([&] { return !main.qrPicture().image().isNull(); })) {
    std::fprintf(stderr, "No hosting code arrived.\n");
    return 1;
  }
  e2e::Click(e2e::Control<QWidget>(main, "按钮1"));  // 查询业绩
  e2e::Click(e2e::Control<QWidget>(main, "按钮4"));  // 查询
  e2e::WaitFor([&] {
    return main.earnings().topLevelItemCount() > 0 && main.withdrawals().topLevelItemCount() > 0;
  });
  e2e::WaitFor([&] { return main.qrStatus().text().contains(QStringLiteral("秒后失效")); });
  ok = GrabPages(main, directory,
                 {"main-1-hosting", "main-2-earnings", "main-3-account", "main-4-faq"}) &&
       ok;
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
  if (!HasChineseFont()) {
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
