// hosting-client: start-up in this order: the QR tables, the skin engine, LoginWindow (skinned,
// then StartupWorker, whose first request opens the transfer library), the message loop. Closing
// MainWindow ends the process at once; closing the visible LoginWindow ends the loop and the
// process.

#include <QApplication>
#include <QDesktopServices>
#include <QUrl>
#include <cstdlib>

#include "app/background_runner.h"
#include "app/build_config.h"
#include "app/client.h"
#include "app/clock_convention.h"
#include "app/font_warm_up.h"
#include "app/message_boxes.h"
#include "app/startup_skin.h"
#include "net/session_cookie.h"
#include "qr/gf256.h"
#include "settings/settings_location.h"
#include "ui/skin/skin_engine.h"
#include "ui/window_resources.h"

namespace {

using namespace hosting;

app::ClientSettings ProgramSettings() {
  app::ClientSettings settings;
  settings.endpoints = {app::kPlatformUrl, app::kVersionServiceUrl, app::kUpdatePackageUrl};
  settings.settingsFile = settings::PrepareSettingsFile();
  settings.clock = app::SystemClockConvention();
  settings.decorate = app::AttachStartupSkin;
  settings.openUrl = [](const QString& url) { QDesktopServices::openUrl(QUrl(url)); };
  return settings;
}

}  // namespace

int main(int argc, char** argv) {
  app::WarmUpFontConfiguration();
  QApplication application(argc, argv);
  // Windows are hidden, not closed, on the way from LoginWindow to MainWindow: the process ends
  // only where the handlers below say.
  QApplication::setQuitOnLastWindowClosed(false);
  app::WarmUpFontList();

  qr::QrCodeField();
  qr::DataMatrixField();
  skin::LoadSkinEngine();

  app::DetachedRunner runner;
  app::ModalMessageBoxes boxes;
  app::Client client(ProgramSettings(), runner, boxes, net::SessionCookie::Global());
  QObject::connect(&client, &app::Client::mainWindowClosed, [] { std::quick_exit(0); });
  QObject::connect(&client, &app::Client::loginWindowClosed, &application, &QCoreApplication::quit);
  client.Start();
  ui::SetProgramIcon();
  // Workers may still be running; they are not waited for.
  std::quick_exit(QApplication::exec());
}
