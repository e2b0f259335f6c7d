// The real game on native Wayland, with no X display offered to it, played through weston's
// pointer and keyboard and watched in screenshots: a placement by drag, with the outline
// beside the pointer all the way; then the main window closed from its menu, and the game
// ends cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "game_on_weston.h"
#include "outline_look.h"
#include "x_desktop.h"

namespace wayland_play {
namespace {

using x11play::WaitUntil;

// Where weston draws the pointer's picture over the board (the game's open hand), from
// its hot spot.
constexpr QPoint kPointerPictureFrom(-16, -13), kPointerPictureTo(9, 14);

TEST(NativeWayland, APlacementByDragShowsTheOutlineAtThePointerAndClosingTheWindowEndsTheGame) {
  GameOnWeston game(Offered::kWaylandOnly);
  ASSERT_TRUE(game.Running()) << game.Errors();
  // The pointer waits on the desktop, away from the board.
  ASSERT_TRUE(EnterAt(QPoint(4, 764)));
  const std::optional<QRect> found = game.WaitForBoard();
  ASSERT_TRUE(found) << "the board never showed: " << game.Errors();
  const QRect board = *found;
  ASSERT_FALSE(board.adjusted(-40, -40, 40, 40).contains(4, 764));
  const QImage before = ScreenShot(board);
  const auto on_screen = [&](QPoint board_px) { return board.topLeft() + board_px; };

  const QPoint grab(20, 16);
  ASSERT_TRUE(EnterAt(on_screen(kTray1.topLeft() + grab)));
  ASSERT_TRUE(Button("mousedown", 1));
  for (const QPoint pointer : {kTray1.topLeft() + grab, QPoint(100, 300), kLocation5.center()}) {
    SCOPED_TRACE(::testing::PrintToString(std::make_pair(pointer.x(), pointer.y())));
    ASSERT_TRUE(PointerTo(on_screen(pointer)));
    const QRect outline(pointer - grab, kTray1.size());
    std::string problem;
    WaitUntil([&] {
      problem = x11play::OutlineProblem(
          ScreenShot(board), before, outline,
          QRect(pointer + kPointerPictureFrom, pointer + kPointerPictureTo));
      return problem.empty();
    });
    EXPECT_EQ(problem, "") << "the outline is not beside the pointer";
  }
  ASSERT_TRUE(Button("mouseup", 1));
  // The button stands on location 5, and the tray shows one image fewer.
  EXPECT_TRUE(WaitUntil([&] {
    const QImage now = ScreenShot(board);
    return now.copy(kLocation5) != before.copy(kLocation5) &&
           now.copy(QRect(240, 368, 41, 33)) != before.copy(QRect(240, 368, 41, 33));
  })) << "no placement on location 5";

  // Game > Exit asks whether to quit the game under way; Yes is the box's default. The
  // box comes up a moment later, so the answer is given until it is taken.
  ASSERT_TRUE(Keys("alt+g"));
  ASSERT_TRUE(Keys("x"));
  QProcess& process = game.Process();
  const auto ended = [&] {
    if (process.state() == QProcess::NotRunning || process.waitForFinished(400)) return true;
    Keys("Return");
    return false;
  };
  ASSERT_TRUE(WaitUntil(ended, 20000, 100)) << "the game did not end";
  EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(process.exitCode(), 0) << game.Errors();
  EXPECT_TRUE(WaitUntil([] { return !BoardIn(ScreenShot(QRect(0, 0, 1024, 768))); }))
      << "the board is still on the screen";
}

}  // namespace
}  // namespace wayland_play
