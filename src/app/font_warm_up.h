#pragma once
// Font set-up kept off the GUI thread's path at start-up. LoginWindow's first text needs the font
// configuration (fontconfig's files and caches) and Qt's list of fonts, several milliseconds of
// work that workers do while the GUI thread starts QApplication and builds the window.

namespace hosting::app {

// Before QApplication: reads the font configuration, where the system has fontconfig.
void WarmUpFontConfiguration();
// Once QApplication exists: makes Qt's list of fonts.
void WarmUpFontList();

}  // namespace hosting::app
