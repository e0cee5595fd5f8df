#include "app/font_warm_up.h"

#include <QFontDatabase>
#include <QStringList>
#include <thread>

#ifdef HOSTING_HAS_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace hosting::app {

// Both workers are detached: they end within milliseconds, and Qt and fontconfig guard their own
// state, so the GUI thread simply finds the work done (or waits for it) when it needs a font.
void WarmUpFontConfiguration() {
#ifdef HOSTING_HAS_FONTCONFIG
  std::thread([] { FcInit(); }).detach();
#endif
}

void WarmUpFontList() {
  std::thread([] { QFontDatabase::families(); }).detach();
}

}  // namespace hosting::app
