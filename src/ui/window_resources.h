#pragma once
// The templates' resources (the program icon) live in this static library; rcc's registration code
// is only linked when something calls it, so every window calls this before building itself.

namespace hosting::ui {

void EnsureWindowResources();

// Gives every window the program icon, read without Qt's image format plugins. A start-up calls
// it once the first window is on screen.
void SetProgramIcon();

}  // namespace hosting::ui
