// The real game on native Wayland, with no X display offered to it, played through weston's
// pointer and keyboard and watched in screenshots: a placement by drag, with the outline
// beside the pointer all the way; then the main window closed from its menu, and the game
// ends cleanly.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "game_on_weston.h"
#include "x_desktop.h"

namespace wayland_play {
namespace {

using x11play::WaitUntil;

constexpr int kRing = 2;  // the outline's thickness, pixels
// Where weston draws the pointer's picture over the board (the game's open hand), from
// its hot spot.
constexpr QPoint kPointerPictureFrom(-16, -13), kPointerPictureTo(9, 14);

int Distance(QRgb a, QRgb b) {
  return std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)),
                   std::abs(qBlue(a) - qBlue(b))});
}

// Compares a shot of the board with the board before the drag around where the outline
// should be (`outline`, board pixels), leaving out the pointer's picture at `pointer`:
// off the outline's frame nothing changed, and most of the frame stands out.
std::string OutlineProblem(const QImage& shot, const QImage& before, const QRect& outline,
                           QPoint pointer) {
  const QRect around = outline.adjusted(-6, -6, 6, 6).intersected(before.rect());
  const QRect under_pointer(pointer + kPointerPictureFrom, pointer + kPointerPictureTo);
  const QRect inside = outline.adjusted(kRing, kRing, -kRing, -kRing);
  int ring = 0, standing_out = 0, changed_off_ring = 0;
  for (int y = around.top(); y <= around.bottom(); ++y) {
    for (int x = around.left(); x <= around.right(); ++x) {
      if (under_pointer.contains(x, y)) continue;
      const int d = Distance(shot.pixel(x, y), before.pixel(x, y));
      if (outline.contains(x, y) && !inside.contains(x, y)) {
        ++ring;
        standing_out += d >= 64;
      } else {
        changed_off_ring += d != 0;
      }
    }
  }
  if (changed_off_ring != 0)
    return std::to_string(changed_off_ring) + " pixels changed off the outline's frame";
  if (standing_out * 10 < ring * 7)
    return "only " + std::to_string(standing_out) + " of " + std::to_string(ring) +
           " frame pixels stand out";
  return {};
}

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
      problem = OutlineProblem(ScreenShot(board), before, outline, pointer);
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
