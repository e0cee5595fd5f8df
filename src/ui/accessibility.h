#pragma once
// What assistive technology is told about the windows: LoginWindow and MainWindow are windows
// named by their titles (a plain QWidget would be a panel), picture boxes are images; and the
// descriptions 图片框_二维码 takes as its picture changes. Dialogs are QDialogs, which Qt already
// announces as dialogs.

#include <QString>

namespace hosting::ui {

// Installs the interfaces once; the windows and picture boxes call it before building themselves.
void EnsureAccessibleInterfaces();

QString HostingCodeDescription();
QString AvatarDescription(const QString& accountId, const QString& nickname);

}  // namespace hosting::ui
