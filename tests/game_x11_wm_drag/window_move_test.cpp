// Moving the real game's window by its board under a window manager, with each mouse
// button: the window follows the pointer while the button is down and lets go when that
// same button comes up, so a later move of the pointer leaves it where it is and the
// keyboard reaches the game again (Alt+H, A opens Credits).
#include <gtest/gtest.h>

#include <QStandardPaths>

#include "game_under_wm.h"
#include "x_desktop.h"

namespace wm_drag {
namespace {

using x11play::FindWindow;
using x11play::WaitUntil;

TEST(WindowMove, EachButtonMovesTheWindowByThePointersTravelAndLetsGoOnItsRelease) {
  if (QStandardPaths::findExecutable("xdotool").isEmpty()) GTEST_SKIP() << "no xdotool";
  GameUnderWm game;
  ASSERT_TRUE(game.Started()) << game.Errors();
  // Each move goes back the way the one before it came: the window stays clear of the
  // screen's edges, where fluxbox and icewm snap a window that comes near.
  QPoint travel(60, 40);
  for (const auto& [button, name] : {std::pair{3, "right"}, {2, "middle"}, {1, "left"}}) {
    SCOPED_TRACE(std::string(name) + " button");
    travel = -travel;
    // A press on a window that is not active goes to the manager (which activates it
    // first) under fluxbox and icewm; a player's window is active when he drags it.
    ASSERT_TRUE(WaitUntil([&] {
      return x11play::Xdotool({"getactivewindow"}).value_or(QString()).trimmed() ==
             game.MainWindow();
    })) << "the main window did not become active";
    const QPoint start = game.WindowOrigin();
    const QPoint press = game.OnScreen(kTexture);
    ASSERT_TRUE(PointerTo(press));
    ASSERT_TRUE(Button("mousedown", button));
    for (int step = 1; step <= 4; ++step) ASSERT_TRUE(PointerTo(press + travel * step / 4));
    ASSERT_TRUE(WaitUntil([&] { return game.WindowOrigin() == start + travel; }))
        << "the window did not follow the pointer: it is at " << game.WindowOrigin().x() << ","
        << game.WindowOrigin().y();
    ASSERT_TRUE(Button("mouseup", button));

    // With no button down the pointer goes on, and the window stays. The keys that
    // follow reach the game only once the window manager has let go, and it has seen
    // this move by then.
    ASSERT_TRUE(PointerTo(press + travel + QPoint(70, 50)));
    ASSERT_TRUE(Keys("alt+h"));
    ASSERT_TRUE(Keys("a"));
    std::optional<QString> credits;
    ASSERT_TRUE(WaitUntil([&] { return (credits = FindWindow("^Credits$")).has_value(); }))
        << "Alt+H, A opened no Credits window";
    EXPECT_EQ(game.WindowOrigin(), start + travel) << "the window moved with no button down";
    // Closed as a player closes a window, from the keyboard.
    ASSERT_TRUE(Keys("alt+F4"));
    ASSERT_TRUE(WaitUntil([&] { return !FindWindow("^Credits$").has_value(); }));
  }
}

}  // namespace
}  // namespace wm_drag
