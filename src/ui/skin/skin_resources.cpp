#include "ui/skin/skin_resources.h"

#include <QFile>
#include <QString>

namespace hosting::skin {

QByteArray SkinResource(int setSwitch, int number) {
  if (number < 1 || number > kSkinsPerSet) {
    return {};
  }
  const QChar set = setSwitch == 1 ? QChar('a') : QChar('b');
  QFile file(QStringLiteral(":/skins/%1%2.qss").arg(set).arg(number));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace hosting::skin
