// Where the game's windows open under a window manager, frame included: the main window
// centred on the screen, Credits centred on the main window wherever that stands, and the
// win window at its place against the main window's outer top-left corner.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QRectF>
#include <QScreen>
#include <QTest>

#include "box_recorder.h"
#include "frmCredits.h"
#include "frmWon.h"
#include "main_window.h"
#include "modal_look.h"
#include "wm_frames.h"

namespace wm_test {
namespace {

QPointF OffCentre(const QRect& window, const QRect& area) {
  return QRectF(window).center() - QRectF(area).center();
}

// Waits until the framed window stands centred on `area`: a window manager that did not
// tell the frame beforehand has the window placed again once it has framed it. Its
// framed place then, or the last seen.
Framed WaitCentredOn(const QWidget& window, const QRect& area) {
  Framed last;
  (void)QTest::qWaitFor(
      [&] {
        const auto framed = WaitFramed(window);
        if (!framed) return false;
        last = *framed;
        const QPointF off = OffCentre(last.Outer(), area);
        return std::abs(off.x()) <= 2 && std::abs(off.y()) <= 2;
      },
      10000);
  return last;
}

void ExpectCentredOn(const QRect& window, const QRect& area) {
  const QPointF off = OffCentre(window, area);
  EXPECT_LE(std::abs(off.x()), 2.0) << "off centre by " << off.x() << ", " << off.y();
  EXPECT_LE(std::abs(off.y()), 2.0) << "off centre by " << off.x() << ", " << off.y();
}

// Moves the main window so that its client area starts at `client` and waits until the
// X server has it there; its framed place then.
Framed MoveMainWindow(frmMain& f, QPoint client) {
  f.Window()->setGeometry(QRect(client, f.Window()->size()));
  EXPECT_TRUE(WaitClientAt(*f.Window(), client));
  return WaitFramed(*f.Window()).value_or(Framed{});
}

TEST(Placement, MainWindowOpensCentredOnTheScreenFrameIncluded) {
  frmMain& f = frmMain::Instance();
  if (f.IsLoaded()) f.Unload();  // a fresh window, placed as at the program's start
  ShownMainWindow();
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  const Framed framed = WaitCentredOn(*f.Window(), screen);
  if (WindowManagerRunning()) {
    EXPECT_GE(framed.frame.top(), 10) << "the window manager gave the window a title bar";
  }
  ExpectCentredOn(framed.Outer(), screen);
}

TEST(Placement, CreditsOpensCentredOnTheMainWindowFrameIncluded) {
  frmMain& f = ShownMainWindow();
  tk::testing::BoxRecorder boxes;
  for (const QPoint at : {QPoint(40, 60), QPoint(520, 250)}) {
    SCOPED_TRACE(QString("main window at %1,%2").arg(at.x()).arg(at.y()).toStdString());
    const Framed main = MoveMainWindow(f, at);
    std::optional<Framed> credits;
    LookWhileModal(
        frmCredits::Instance(), [&] { f.FindMenu("mnuHelpAbout")->Action()->trigger(); },
        [&](const Framed&) {
          credits = WaitCentredOn(*frmCredits::Instance().Window(), main.Outer());
        });
    ASSERT_TRUE(credits);
    if (WindowManagerRunning()) {
      EXPECT_GE(credits->frame.top(), 10) << "Credits has a title bar";
    }
    ExpectCentredOn(credits->Outer(), main.Outer());
  }
  EXPECT_TRUE(boxes.messages.empty());
}

TEST(Placement, WinWindowSitsAgainstTheMainWindowsOuterCorner) {
  frmMain& f = ShownMainWindow();
  tk::testing::BoxRecorder boxes;
  const Framed main = MoveMainWindow(f, QPoint(100, 80));
  frmWon& won = frmWon::Instance();
  std::optional<Framed> shown;
  LookWhileModal(
      won,
      [&] {
        won.Load();
        won.Label1->SetCaption("Congradulations Player 1  You Won...!");
        won.Show(1);
      },
      [&](const Framed& w) { shown = w; });
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->frame, QMargins()) << "the win window has no frame";
  // Level with the main window's outer top, half its own width (2017 twips) to the right
  // of the main window's outer left edge.
  EXPECT_EQ(shown->Outer().topLeft(), main.Outer().topLeft() + QPoint(134, 0));
  EXPECT_TRUE(boxes.messages.empty());
}

}  // namespace
}  // namespace wm_test
