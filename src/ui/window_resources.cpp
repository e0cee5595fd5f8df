#include "ui/window_resources.h"

#include <QApplication>
#include <QIcon>
#include <QImageReader>
#include <QPixmap>
#include <QtGlobal>

// Q_INIT_RESOURCE declares its function where it is expanded, so it must stay outside any
// namespace.
static int RegisterUiResources() {
  Q_INIT_RESOURCE(hosting_ui);
  return 0;
}

namespace hosting::ui {

void EnsureWindowResources() {
  [[maybe_unused]] static const int once = RegisterUiResources();
}

void SetProgramIcon() {
  EnsureWindowResources();
  // Told the format and not to guess, the reader decodes the PNG itself; left to guess, it would
  // load every image format plugin to ask each whether it reads PNG.
  QImageReader reader(QStringLiteral(":/icons/app_icon.png"), "png");
  reader.setAutoDetectImageFormat(false);
  QApplication::setWindowIcon(QIcon(QPixmap::fromImage(reader.read())));
}

}  // namespace hosting::ui
