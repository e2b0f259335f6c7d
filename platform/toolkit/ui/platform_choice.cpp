#include "toolkit/ui/platform_choice.h"

namespace tk {
namespace {

// Qt reads both "-platform name" and "--platform name".
bool NamesPlatform(const std::vector<std::string>& args) {
  for (std::size_t i = 1; i < args.size(); ++i) {
    if (args[i] == "-platform" || args[i] == "--platform") return true;
  }
  return false;
}

}  // namespace

std::string ChosenPlatform(const std::function<std::string(const char*)>& env,
                           const std::vector<std::string>& args) {
  if (!env("QT_QPA_PLATFORM").empty() || NamesPlatform(args)) return {};
  if (env("DISPLAY").empty()) return {};
  // Should the X display not answer, a Wayland one still serves.
  return env("WAYLAND_DISPLAY").empty() ? "xcb" : "xcb;wayland";
}

}  // namespace tk
