#include <gtest/gtest.h>

#include <QEvent>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>
#include <QWidget>
#include <optional>

#include "user32/user32.h"

namespace {

using namespace user32;

// A window whose background starts the window move on any mouse press, as the game's
// main window does: release the capture, then send the caption press.
class DraggedByBackground : public QWidget {
 public:
  std::optional<LRESULT> answer;
  int releases = 0;

 protected:
  void mousePressEvent(QMouseEvent*) override {
    ReleaseCapture();
    std::int32_t zero = 0;
    answer = SendMessageA(static_cast<void*>(this), WM_NCLBUTTONDOWN, HTCAPTION,
                          reinterpret_cast<LPARAM>(&zero));
  }
  void mouseReleaseEvent(QMouseEvent*) override { ++releases; }
};

void Xdotool(const QStringList& args) {
  ASSERT_EQ(QProcess::execute("xdotool", args), 0) << args.join(' ').toStdString();
}

TEST(WindowMove, PressOnBackgroundMovesWithThePointerOrIsACleanNoOp) {
  if (QStandardPaths::findExecutable("xdotool").isEmpty()) GTEST_SKIP() << "no xdotool";
  DraggedByBackground w;
  w.setGeometry(200, 200, 300, 200);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  const QPoint start = w.pos();
  const QPoint press = w.mapToGlobal(QPoint(150, 100));

  Xdotool({"mousemove", QString::number(press.x()), QString::number(press.y())});
  Xdotool({"mousedown", "1"});
  QTRY_VERIFY(w.answer.has_value());
  for (int step = 1; step <= 4; ++step) {
    Xdotool({"mousemove", QString::number(press.x() + 20 * step),
             QString::number(press.y() + 15 * step)});
  }
  Xdotool({"mouseup", "1"});

  if (*w.answer != 0) {
    // The window system runs the move: the window followed the pointer.
    QTRY_COMPARE(w.pos(), start + QPoint(80, 60));
  } else {
    // No window manager offers a move here: the release comes back to the window, which
    // stayed where it was and holds no grab.
    QTRY_COMPARE(w.releases, 1);
    EXPECT_EQ(w.pos(), start);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  }
}

TEST(WindowMove, OtherMessagesAndHandlesAreIgnored) {
  QWidget w;
  w.setGeometry(100, 100, 200, 100);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  int not_a_window = 0;
  EXPECT_EQ(SendMessageA(&not_a_window, WM_NCLBUTTONDOWN, HTCAPTION, 0), 0);
  EXPECT_EQ(SendMessageA(nullptr, WM_NCLBUTTONDOWN, HTCAPTION, 0), 0);
  EXPECT_EQ(SendMessageA(&w, 0x201, HTCAPTION, 0), 0);
  EXPECT_EQ(SendMessageA(&w, WM_NCLBUTTONDOWN, 1, 0), 0);
  EXPECT_EQ(w.pos(), QPoint(100, 100));
}

TEST(WindowMove, ReleaseCaptureEndsAMouseGrab) {
  QWidget w;
  w.setGeometry(100, 100, 200, 100);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.grabMouse();
  ASSERT_EQ(QWidget::mouseGrabber(), &w);
  EXPECT_NE(ReleaseCapture(), 0);
  EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
  EXPECT_NE(ReleaseCapture(), 0) << "nothing to release is fine too";
}

}  // namespace
