// The win window as the winner meets it: opened modally by the winning drop, which waits
// for it, focused on its "X", and placed beside the main window wherever that stands.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QWidget>
#include <QWindow>
#include <array>
#include <functional>
#include <ostream>

#include "box_recorder.h"
#include "game_window.h"
#include "ui_driver.h"
#include "win_window_closer.h"

namespace korvane::testing {
namespace {

std::array<int, 4> Corners(const modDrawAniRects::RECT& r) {
  return {r.Left, r.Top, r.Right, r.Bottom};
}

// Player 1 holds 1 and 2 against 4 and 5; his next placement on 3 wins.
void PlayToTheEveOfAWin() {
  frmMain& main = MainWindow();
  tk::testing::Drag(TrayImage(1, 1), main.ButtonLocation(1));
  tk::testing::Drag(TrayImage(2, 1), main.ButtonLocation(4));
  tk::testing::Drag(TrayImage(1, 1), main.ButtonLocation(2));
  tk::testing::Drag(TrayImage(2, 1), main.ButtonLocation(5));
}

void PlayTheWinningDrop() {
  tk::testing::Drag(TrayImage(1, 1), MainWindow().ButtonLocation(3));
}

// A window the taskbar leaves out: a tool window, or one owned by another window.
bool KeptOutOfTheTaskbar(const QWidget* w) {
  return w->windowType() == Qt::Tool ||
         (w->windowType() == Qt::Dialog && w->parentWidget() != nullptr);
}

TEST(WinWindow, OpensModallyFocusedOnXAndSpaceClosesItBeforeTheDropReturns) {
  StartNewGame("Ann", "Bo Stone");
  PlayToTheEveOfAWin();
  bool drop_returned = false;
  bool inspected = false;
  WinWindowCloser closer([&](frmWon& won) {
    inspected = true;
    QWidget* w = won.Window();
    EXPECT_FALSE(drop_returned);
    EXPECT_EQ(QApplication::activeModalWidget(), w);
    EXPECT_EQ(won.Label1->Caption(), "Congradulations Ann  You Won...!");
    EXPECT_EQ(QApplication::focusWidget(), won.cmdClose->Button());
    EXPECT_EQ(won.cmdClose->Button()->text().toStdString(), "X");
    EXPECT_TRUE(w->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(w->frameGeometry().size(), QSize(269, 106));
    EXPECT_EQ(won.Width(), 4035);
    EXPECT_EQ(won.Height(), 1590);
    EXPECT_TRUE(KeptOutOfTheTaskbar(w));
    EXPECT_EQ(w->windowTitle().toStdString(), "Form1");
    // The speech bubble was stretched over the whole window when it was first shown.
    EXPECT_EQ(won.Image1->Left(), 0);
    EXPECT_EQ(won.Image1->Top(), 0);
    EXPECT_EQ(won.Image1->Width(), 4035);
    EXPECT_EQ(won.Image1->Height(), 1590);
    EXPECT_EQ(won.Client().RectOf(*won.Image1), QRectF(0, 0, 269, 106));
    // The winning position was drawn before the window opened.
    EXPECT_EQ(DrawnOwner(3), 1);
    EXPECT_EQ(VisibleTrayImages(1), 0);
    // Space goes to the focused "X", as a player's key press does.
    QTest::keyClick(w->windowHandle(), Qt::Key_Space);
    EXPECT_FALSE(won.IsLoaded()) << "Space did not close the win window";
  });
  PlayTheWinningDrop();
  drop_returned = true;
  EXPECT_TRUE(inspected);
  EXPECT_EQ(closer.congratulations.size(), 1u);
  EXPECT_FALSE(frmWon::Instance().IsLoaded());
}

struct MainPlacement {
  const char* name;
  std::function<void(QWidget* main)> arrange;
  bool beyond_screen;  // the win window reaches past the screen's right edge
  bool beyond_main;    // ... past the main window's right edge
};
void PrintTo(const MainPlacement& p, std::ostream* os) {
  *os << p.name;
}

class WinWindowPlace : public ::testing::TestWithParam<MainPlacement> {
 protected:
  void SetUp() override {
    StartNewGame();
    main_ = MainWindow().Window();
    original_ = main_->geometry();
  }
  void TearDown() override {
    main_->resize(original_.size());
    main_->move(original_.topLeft());
  }
  QWidget* main_ = nullptr;
  QRect original_;
};

TEST_P(WinWindowPlace, LevelWithTheMainWindowAnd2017TwipsRightOfItsLeftEdge) {
  ASSERT_EQ(QGuiApplication::primaryScreen()->geometry(), QRect(0, 0, 1024, 768));
  GetParam().arrange(main_);
  PlayToTheEveOfAWin();
  bool inspected = false;
  WinWindowCloser closer([&](frmWon& won) {
    inspected = true;
    EXPECT_EQ(Corners(won.CornerRect), (std::array{1024, 768, 1024, 768}));
    EXPECT_EQ(Corners(won.BoxRect), (std::array{0, 0, 300, 300}));
    const QRect main = main_->frameGeometry();
    const QRect at = won.Window()->frameGeometry();
    EXPECT_EQ(won.Top(), MainWindow().Top());
    EXPECT_EQ(at.top(), main.top());
    EXPECT_EQ(at.left(), main.left() + 134);  // 2017 twips, to the nearest pixel
    EXPECT_EQ(won.Left(), MainWindow().Left() + 134 * 15);
    EXPECT_EQ(at.right() >= 1024, GetParam().beyond_screen);
    EXPECT_EQ(at.right() > main.right(), GetParam().beyond_main);
  });
  PlayTheWinningDrop();
  EXPECT_TRUE(inspected);
}

INSTANTIATE_TEST_SUITE_P(
    MainWindowAt, WinWindowPlace,
    ::testing::Values(MainPlacement{"Centre", [](QWidget*) {}, false, false},
                      MainPlacement{"NearTheScreensRightEdge",
                                    [](QWidget* w) { w->move(880, 150); }, true, false},
                      MainPlacement{"Narrowed", [](QWidget* w) { w->resize(300, w->height()); },
                                    false, true}),
    [](const ::testing::TestParamInfo<MainPlacement>& info) {
      return std::string(info.param.name);
    });

}  // namespace
}  // namespace korvane::testing
