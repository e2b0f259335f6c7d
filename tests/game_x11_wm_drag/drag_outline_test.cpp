// The outline of a drag on the real game's board, watched in screenshots of the X server:
// around the pointer at the grab offset and plain to see over the texture, the lines, the
// circles and the tiles; and afterwards no pixel of its path differs from before, after a
// drop on a location, a drop on nothing, and a drag that a menu took the mouse from.
#include <gtest/gtest.h>

#include <QImage>
#include <QStandardPaths>
#include <algorithm>
#include <string>

#include "game_under_wm.h"
#include "outline_look.h"
#include "x_desktop.h"

namespace wm_drag {
namespace {

using x11play::OutlineProblem;
using x11play::WaitUntil;

// Pixels that differ between two shots of the board within `within`, outside `except`.
int Differences(const QImage& a, const QImage& b, const QRect& within,
                std::initializer_list<QRect> except = {}) {
  int n = 0;
  const QRect area = within.intersected(a.rect());
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      const bool skip = std::any_of(except.begin(), except.end(),
                                    [&](const QRect& r) { return r.contains(x, y); });
      n += !skip && a.pixel(x, y) != b.pixel(x, y);
    }
  }
  return n;
}

class DragOutline : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable("xdotool").isEmpty()) GTEST_SKIP() << "no xdotool";
    ASSERT_TRUE(game_.Started()) << game_.Errors();
    // The pointer waits off the window, where it raises no tooltip over the board.
    ASSERT_TRUE(PointerTo(QPoint(2, 2)));
    before_ = game_.BoardShot();
  }

  // Presses the left button on player 1's first tray image, `grab` from its corner.
  void PressOnTray(QPoint grab) {
    ASSERT_TRUE(PointerTo(game_.OnScreen(kTray1.topLeft() + grab)));
    ASSERT_TRUE(Button("mousedown", 1));
  }

  // Moves the pointer to a point of the board and waits for the outline to show there,
  // `grab` from the pointer; the last problem seen when it does not.
  std::string OutlineFollowsTo(QPoint board_px, QPoint grab) {
    if (!PointerTo(game_.OnScreen(board_px))) return "xdotool failed";
    const QRect outline(board_px - grab, kTray1.size());
    std::string problem;
    WaitUntil([&] {
      problem = OutlineProblem(Board(), before_, outline);
      return problem.empty();
    });
    return problem;
  }

  // Waits for the board to show as before the drag within `within`, outside `except`;
  // the pixels that still differ.
  int DifferencesLeft(const QRect& within, std::initializer_list<QRect> except = {}) {
    int left = 0;
    WaitUntil([&] {
      left = Differences(Board(), before_, within, except);
      return left == 0;
    });
    return left;
  }
  QImage Board() const { return ScreenShot(QRect(game_.BoardOrigin(), kBoardSize)); }

  GameUnderWm game_;
  QImage before_;
};

TEST_F(DragOutline, ShowsOnEveryBackgroundAndLeavesNoTraceAfterADropOnNothing) {
  const QPoint grab(20, 16);
  PressOnTray(grab);
  ASSERT_EQ(OutlineFollowsTo(kTray1.topLeft() + grab, grab), "") << "around the tray image";
  const struct {
    const char* over;
    QPoint pointer;  // on the board
  } stops[] = {
      {"the texture", kTexture}, {"a line", {120, 192}},          {"a circle", {48, 192}},
      {"a tile", {32, 384}},     {"the texture again", kTexture},
  };
  for (const auto& stop : stops) {
    EXPECT_EQ(OutlineFollowsTo(stop.pointer, grab), "") << "over " << stop.over;
  }
  // Let go over the background, where nothing takes a drop.
  ASSERT_TRUE(Button("mouseup", 1));
  EXPECT_EQ(DifferencesLeft(before_.rect()), 0);
  EXPECT_EQ(game_.Caption().toStdString(), kCaption) << "nothing was dropped";
}

TEST_F(DragOutline, LeavesNoTraceAfterADropOnALocation) {
  const QPoint grab(5, 28);  // near the image's lower left corner
  PressOnTray(grab);
  ASSERT_EQ(OutlineFollowsTo(QPoint(100, 300), grab), "");
  ASSERT_EQ(OutlineFollowsTo(kLocation5.center(), grab), "");
  ASSERT_TRUE(Button("mouseup", 1));
  ASSERT_TRUE(WaitUntil([&] { return game_.Caption().endsWith("Player 2's Move"); }))
      << game_.Caption().toStdString();
  // Only the placed button and the trays changed.
  EXPECT_EQ(DifferencesLeft(before_.rect(), {kTrayRows, kLocation5}), 0);
  EXPECT_GT(Differences(Board(), before_, kLocation5), 0) << "the button shows on location 5";
}

TEST_F(DragOutline, IsGoneWhenAMenuTakesTheMouseAndTheLaterReleaseDropsNothing) {
  const QPoint grab(20, 16);
  PressOnTray(grab);
  ASSERT_EQ(OutlineFollowsTo(kLocation5.center(), grab), "");
  // The Help menu opens from the keyboard while the button is still down, and takes the
  // mouse: the outline goes at once, though the pointer has not moved.
  ASSERT_TRUE(Keys("alt+h"));
  const QRect around = QRect(kLocation5.center() - grab, kTray1.size()).adjusted(-6, -6, 6, 6);
  EXPECT_EQ(DifferencesLeft(around), 0) << "the outline stays while the menu is open";
  ASSERT_TRUE(Keys("Escape"));
  // The button comes up over a location: the drag is over already.
  ASSERT_TRUE(Button("mouseup", 1));
  EXPECT_EQ(DifferencesLeft(before_.rect()), 0);
  EXPECT_EQ(game_.Caption().toStdString(), kCaption) << "nothing was dropped";
}

}  // namespace
}  // namespace wm_drag
