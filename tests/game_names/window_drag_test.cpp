// A press of any mouse button on the board's background starts moving the window: the
// handler first gives up the mouse capture. Offscreen there is no window system to move
// the window, so the move itself is a no-op here (the X11 suite presses the real thing).
#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>

#include "main_window_fixture.h"
#include "toolkit/ui/surface.h"

namespace korvane_test {
namespace {

using WindowDragTest = MainWindowTest;

TEST_F(WindowDragTest, AnyButtonOnTheBackgroundReleasesTheCaptureAndLeavesAllElseAlone) {
  tk::ControlSurface& board = f.Frame2->Surface();
  // Inside the outer square, clear of every location, tray, name and tile.
  const QPoint background = board.RectOf(*f.Image1).topLeft().toPoint() + QPoint(120, 150);
  ASSERT_EQ(board.HitTest(background), f.Image1);
  const double left = f.Left(), top = f.Top();

  QWidget holder;
  holder.setGeometry(0, 0, 20, 20);
  holder.show();
  for (Qt::MouseButton button : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
    SCOPED_TRACE(button);
    holder.grabMouse();
    ASSERT_EQ(QWidget::mouseGrabber(), &holder);
    QTest::mousePress(&board, button, Qt::NoModifier, background);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr) << "the capture was not released";
    QTest::mouseRelease(&board, button, Qt::NoModifier, background);
    EXPECT_EQ(f.Left(), left);
    EXPECT_EQ(f.Top(), top);
  }
  EXPECT_TRUE(f.Window()->isVisible());
  EXPECT_TRUE(boxes.messages.empty());
  EXPECT_TRUE(boxes.inputs.empty());
}

}  // namespace
}  // namespace korvane_test
