#include "toolkit/ui/window_system.h"

#include <QGuiApplication>

namespace tk {
namespace {

std::optional<WindowSystemAbilities>& Override() {
  static std::optional<WindowSystemAbilities> abilities;
  return abilities;
}

}  // namespace

WindowSystemAbilities WindowSystem() {
  if (Override()) return *Override();
  WindowSystemAbilities a;
  if (qGuiApp != nullptr && QGuiApplication::platformName().startsWith(QLatin1String("wayland"))) {
    a.places_windows = false;
    a.shows_translucency = true;
  }
  return a;
}

void OverrideWindowSystem(std::optional<WindowSystemAbilities> abilities) {
  Override() = abilities;
}

}  // namespace tk
