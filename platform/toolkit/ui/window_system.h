// What the window system lets the program do with its own top-level windows. On an X
// server a program may move its windows; on Wayland only the compositor places them, but
// every window there is composited, so one with an alpha channel shows what lies beneath.
#pragma once

#include <optional>

namespace tk {

struct WindowSystemAbilities {
  // The program can move its top-level windows and so place new ones.
  bool places_windows = true;
  // A window created with an alpha channel is drawn over what lies beneath it. Only
  // asked where windows cannot be placed; elsewhere false.
  bool shows_translucency = false;
};

// The running window system's answers.
WindowSystemAbilities WindowSystem();

// Stands in other answers, for tests of the paths of another window system; nullopt gives
// back the real ones.
void OverrideWindowSystem(std::optional<WindowSystemAbilities> abilities);

}  // namespace tk
