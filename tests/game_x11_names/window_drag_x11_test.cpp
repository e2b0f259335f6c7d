// A press on the board's background, then pointer motion, on a bare X server: Xvfb alone
// runs no window manager and so offers no interactive move. There the press must be a
// clean no-op that leaves the window where it was and taking clicks; the move itself is
// played under a window manager in game_x11_wm_drag.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include "box_recorder.h"
#include "frmMain.h"
#include "modMain.h"
#include "toolkit/ui/surface.h"
#include "ui_driver.h"
#include "xdotool.h"

namespace korvane_test {
namespace {

QString Num(int v) {
  return QString::number(v);
}

bool WindowManagerRuns() {
  QProcess xprop;
  xprop.start("xprop", {"-root", "_NET_SUPPORTING_WM_CHECK"});
  return xprop.waitForFinished(5000) && xprop.readAllStandardOutput().contains("window id");
}

TEST(WindowDragX11, WithoutAWindowManagerAPressOnTheBackgroundIsACleanNoOp) {
  if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
  if (WindowManagerRuns()) GTEST_SKIP() << "a window manager runs here";
  modMain::DebugMode = tk::kFalse16;
  tk::testing::BoxRecorder boxes;
  frmMain& f = frmMain::Instance();
  f.Load();
  f.Show();
  QWidget* window = f.Window();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window));

  // Count the press handler's runs and the releases that reach the board.
  int presses = 0, releases = 0;
  const tk::MouseHandler handler = f.Image1->MouseDown;
  f.Image1->MouseDown = [&](int b, int s, float x, float y) {
    ++presses;
    handler(b, s, x, y);
  };
  f.Image1->MouseUp = [&](int, int, float, float) { ++releases; };

  tk::ControlSurface& board = f.Frame2->Surface();
  const QPoint local = board.RectOf(*f.Image1).topLeft().toPoint() + QPoint(120, 150);
  ASSERT_EQ(board.HitTest(local), f.Image1);
  const QPoint press = board.mapToGlobal(local);
  const QPoint start = window->pos();

  ASSERT_TRUE(Xdotool({"mousemove", Num(press.x()), Num(press.y())}));
  ASSERT_TRUE(Xdotool({"mousedown", "1"}));
  QTRY_COMPARE(presses, 1);
  for (int step = 1; step <= 4; ++step)
    ASSERT_TRUE(Xdotool({"mousemove", Num(press.x() + 20 * step), Num(press.y() + 15 * step)}));
  ASSERT_TRUE(Xdotool({"mouseup", "1"}));
  // The release comes back to the board: nobody else took the pointer.
  QTRY_COMPARE(releases, 1);
  EXPECT_EQ(window->pos(), start);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  EXPECT_FALSE(window->windowHandle()->startSystemMove()) << "the window system offers a move";
  f.Image1->MouseDown = handler;
  f.Image1->MouseUp = nullptr;

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
