#pragma once
// The skin step of start-up: skin 6 of set B with hue -80, saturation -35 and brightness 20,
// without shadow, attached to LoginWindow once it is shown (and through it to every later window).

class QWidget;

namespace hosting::app {

void AttachStartupSkin(QWidget& loginWindow);

}  // namespace hosting::app
