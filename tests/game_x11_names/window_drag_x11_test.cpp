// A press on the board's background, then pointer motion, moves the game's real window
// where the window system offers an interactive move. Xvfb alone runs no window manager
// and so offers none: there the press must be a clean no-op, and the test shows that it
// is the window system that declines.
#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <QWindow>

#include "box_recorder.h"
#include "frmMain.h"
#include "modMain.h"
#include "surface.h"
#include "ui_driver.h"
#include "xdotool.h"

namespace korvane_test {
namespace {

QString Num(int v) {
  return QString::number(v);
}

TEST(WindowDragX11, PressOnTheBackgroundMovesTheWindowOrIsACleanNoOp) {
  if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
  modMain::DebugMode = tk::kFalse16;
  tk::testing::BoxRecorder boxes;
  frmMain& f = frmMain::Instance();
  f.Load();
  f.Show();
  QWidget* window = f.Window();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));

  // Count the handler's runs, and learn whether the window system could move the window.
  int presses = 0;
  std::optional<bool> system_move;
  const tk::MouseHandler handler = f.Image1->MouseDown;
  f.Image1->MouseDown = [&](int b, int s, float x, float y) {
    ++presses;
    handler(b, s, x, y);
  };

  tk::ControlSurface& board = f.Frame2->Surface();
  const QPoint local = board.RectOf(*f.Image1).topLeft().toPoint() + QPoint(120, 150);
  ASSERT_EQ(board.HitTest(local), f.Image1);
  const QPoint press = board.mapToGlobal(local);
  const QPoint start = window->pos();

  ASSERT_TRUE(Xdotool({"mousemove", Num(press.x()), Num(press.y())}));
  ASSERT_TRUE(Xdotool({"mousedown", "1"}));
  QTRY_COMPARE(presses, 1);
  for (int step = 1; step <= 4; ++step) {
    ASSERT_TRUE(Xdotool({"mousemove", Num(press.x() + 20 * step), Num(press.y() + 15 * step)}));
    QTest::qWait(50);
  }
  ASSERT_TRUE(Xdotool({"mouseup", "1"}));
  QTest::qWait(200);

  if (window->pos() != start) {
    // The window system ran the move: the window followed the pointer.
    QTRY_COMPARE(window->pos(), start + QPoint(80, 60));
  } else {
    // Ask the window system directly, from inside a press, as the handler does.
    f.Image1->MouseDown = [&](int, int, float, float) {
      system_move = window->windowHandle()->startSystemMove();
    };
    // Back on the background first: the pointer ended the drag over a location.
    ASSERT_TRUE(Xdotool({"mousemove", Num(press.x()), Num(press.y())}));
    ASSERT_TRUE(Xdotool({"mousedown", "1"}));
    QTRY_VERIFY(system_move.has_value());
    ASSERT_TRUE(Xdotool({"mouseup", "1"}));
    QTest::qWait(100);
    EXPECT_FALSE(*system_move) << "the window system offers a move, yet the window stayed";
    // No window manager here: the press changed nothing and left no grab behind.
    EXPECT_EQ(window->pos(), start);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  }
  f.Image1->MouseDown = handler;

  // The window still takes the player's clicks: a click on a name asks for a new one.
  const QPoint name = board.mapToGlobal(tk::testing::CentreOf(*f.lblPlayer1));
  ASSERT_TRUE(Xdotool({"mousemove", Num(name.x()), Num(name.y())}));
  ASSERT_TRUE(Xdotool({"click", "1"}));
  QTRY_COMPARE(boxes.inputs.size(), size_t{1});
  EXPECT_EQ(boxes.inputs[0].title, "Player 1's Name");
  EXPECT_TRUE(boxes.messages.empty());
  f.Unload();
}

}  // namespace
}  // namespace korvane_test
