#include "app/clock_convention.h"

#include <QLocale>

namespace hosting::app {

platform::ClockConvention SystemClockConvention() {
  const QLocale locale = QLocale::system();
  const QString format = locale.timeFormat(QLocale::LongFormat);
  platform::ClockConvention clock;
  clock.twelveHour = format.contains(u'a', Qt::CaseInsensitive);
  if (clock.twelveHour) {
    clock.amMarker = locale.amText().toStdString();
    clock.pmMarker = locale.pmText().toStdString();
    clock.markerFirst =
        format.indexOf(u'a', 0, Qt::CaseInsensitive) < format.indexOf(u'h', 0, Qt::CaseInsensitive);
  }
  return clock;
}

}  // namespace hosting::app
