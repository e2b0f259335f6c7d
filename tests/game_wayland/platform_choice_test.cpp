// Where a session offers both an X display and a Wayland one, the real game puts its
// windows on the X display, unless the player names a platform himself: then his choice
// holds, from the environment or from the command line.
#include <gtest/gtest.h>

#include <QRegularExpression>

#include "game_on_weston.h"
#include "x_desktop.h"

namespace wayland_play {
namespace {

using x11play::FindWindow;
using x11play::WaitUntil;

bool MainWindowOnX() {
  return FindWindow(QString("^") + QRegularExpression::escape(kCaption) + "$").has_value();
}

TEST(PlatformChoice, BothDisplaysOfferedTheGameTakesXUnlessThePlayerNamesAPlatform) {
  const struct {
    const char* what;
    QStringList args;
    QString platform;
    bool on_x;
  } cases[] = {
      {"no platform named", {}, {}, true},
      {"QT_QPA_PLATFORM=wayland", {}, "wayland", false},
      {"-platform wayland", {"-platform", "wayland"}, {}, false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    GameOnWeston game(Offered::kBoth, c.args, c.platform);
    ASSERT_TRUE(game.Running()) << game.Errors();
    if (c.on_x) {
      EXPECT_TRUE(WaitUntil(MainWindowOnX, 20000)) << "no X window " << kCaption;
    } else {
      // It shows in weston's window, and the X server has no window of it.
      EXPECT_TRUE(game.WaitForBoard()) << "the board never showed on Wayland: " << game.Errors();
      EXPECT_FALSE(MainWindowOnX());
    }
  }
}

}  // namespace
}  // namespace wayland_play
