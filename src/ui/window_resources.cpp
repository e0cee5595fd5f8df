#include "ui/window_resources.h"

#include <QApplication>
#include <QIcon>
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
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/app_icon.png")));
}

}  // namespace hosting::ui
