#include "app/startup_skin.h"

#include <optional>

#include "ui/skin/skin_engine.h"

namespace hosting::app {

void AttachStartupSkin(QWidget& loginWindow) {
  constexpr int kSkinNumber = 6;
  constexpr int kSetB = 0;
  skin::AttachSkin(kSkinNumber, &loginWindow, /*shadow=*/false, kSetB, std::nullopt, std::nullopt,
                   /*hue=*/-80, /*saturation=*/-35, /*brightness=*/20);
}

}  // namespace hosting::app
