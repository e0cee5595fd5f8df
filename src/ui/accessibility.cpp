#include "ui/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>

#include "ui/login_window.h"
#include "ui/main_window.h"
#include "ui/picture_box.h"

namespace hosting::ui {
namespace {

// Qt asks with the class name of each level of the object's class, most derived first.
QAccessibleInterface* InterfaceFor(const QString& className, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr)
    return nullptr;
  const auto is = [&className](const QMetaObject& type) {
    return className == QLatin1String(type.className());
  };
  // Qt owns the interfaces it is given.
  if (is(PictureBox::staticMetaObject))
    return new QAccessibleWidget(widget, QAccessible::Graphic);
  if (is(LoginWindow::staticMetaObject) || is(MainWindow::staticMetaObject))
    return new QAccessibleWidget(widget, QAccessible::Window);
  return nullptr;
}

int Install() {
  QAccessible::installFactory(&InterfaceFor);
  return 0;
}

}  // namespace

void EnsureAccessibleInterfaces() {
  [[maybe_unused]] static const int once = Install();
}

QString HostingCodeDescription() {
  return QStringLiteral("用手机扫一扫扫描此二维码");
}

QString AvatarDescription(const QString& accountId, const QString& nickname) {
  return QStringLiteral("所选账号 %1（%2）的头像").arg(accountId, nickname);
}

}  // namespace hosting::ui
