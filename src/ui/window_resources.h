#pragma once
// The templates' resources (the program icon) live in this static library; rcc's registration code
// is only linked when something calls it, so every window calls this before building itself.

namespace hosting::ui {

void EnsureWindowResources();

}  // namespace hosting::ui
