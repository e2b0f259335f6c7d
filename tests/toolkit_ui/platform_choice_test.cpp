#include "toolkit/ui/platform_choice.h"

#include <gtest/gtest.h>

#include <map>

namespace tk {
namespace {

TEST(PlatformChoice, TheXDisplayIsTakenWhereOfferedUnlessTheUserNamesAPlatform) {
  using Env = std::map<std::string, std::string>;
  const Env both = {{"DISPLAY", ":1"}, {"WAYLAND_DISPLAY", "wayland-0"}};
  const struct {
    const char* what;
    Env env;
    std::vector<std::string> args;
    std::string chosen;
  } cases[] = {
      {"both displays, Wayland kept as the fallback", both, {"game"}, "xcb;wayland"},
      {"an X display alone", {{"DISPLAY", ":0"}}, {"game"}, "xcb"},
      {"a Wayland display alone", {{"WAYLAND_DISPLAY", "wayland-0"}}, {"game"}, ""},
      {"neither display", {}, {"game"}, ""},
      {"an empty DISPLAY offers nothing", {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", "w"}}, {"g"}, ""},
      {"the user's variable",
       {{"DISPLAY", ":1"}, {"WAYLAND_DISPLAY", "w"}, {"QT_QPA_PLATFORM", "wayland"}},
       {"game"},
       ""},
      {"an empty variable is no choice",
       {{"DISPLAY", ":1"}, {"QT_QPA_PLATFORM", ""}},
       {"game"},
       "xcb"},
      {"-platform", both, {"game", "-platform", "wayland"}, ""},
      {"--platform", both, {"game", "--platform", "wayland"}, ""},
      {"the program's own name is no argument", both, {"-platform"}, "xcb;wayland"},
      {"a word that only looks like it", both, {"game", "-platformx", "wayland"}, "xcb;wayland"},
  };
  for (const auto& c : cases) {
    const auto env = [&](const char* name) {
      const auto it = c.env.find(name);
      return it == c.env.end() ? std::string() : it->second;
    };
    EXPECT_EQ(ChosenPlatform(env, c.args), c.chosen) << c.what;
  }
}

}  // namespace
}  // namespace tk
