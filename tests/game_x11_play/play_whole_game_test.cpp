// One whole game of the real program, played as two people play it: drags with the X
// server's pointer from the trays and between the locations, the window's caption read
// after every move, the win window found by its name and closed with the Space key.
#include <gtest/gtest.h>

#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include "x_desktop.h"

namespace x11play {
namespace {

// The board's layout in the window's client area, in pixels (15 twips each).
constexpr int kClientWidth = 417;
constexpr int kClientHeight = 447;
constexpr int kLocationColumns[3] = {24, 184, 344};
constexpr int kLocationRows[3] = {32, 168, 304};
constexpr int kLocationSide = 49;
constexpr int kTrayLefts[3] = {128, 184, 240};
constexpr int kTrayTops[3] = {0, 368, 408};  // by player
constexpr int kTrayWidth = 41, kTrayHeight = 33;

class RunningGame {
 public:
  RunningGame() {
    const QString root = home_.path();
    QProcessEnvironment env = x11play::GameEnvironment(root);
    process_.setProcessEnvironment(env);
    process_.start(KORVANE2_EXE, {});
  }
  ~RunningGame() {
    if (process_.state() == QProcess::NotRunning) return;
    process_.terminate();
    if (!process_.waitForFinished(3000)) {
      process_.kill();
      process_.waitForFinished(3000);
    }
  }
  bool Started() { return process_.waitForStarted(5000); }
  std::string Errors() { return process_.readAllStandardError().toStdString(); }

 private:
  QTemporaryDir home_;
  QProcess process_;
};

// Where a player aims: pixel centres of the locations and tray images on the screen.
class BoardOnScreen {
 public:
  explicit BoardOnScreen(QPoint client_origin) : origin_(client_origin) {}
  QPoint Location(int n) const {
    const int col = (n - 1) % 3, row = (n - 1) / 3;
    return origin_ + QPoint(kLocationColumns[col] + kLocationSide / 2,
                            kLocationRows[row] + kLocationSide / 2);
  }
  QPoint Tray(int player, int image) const {
    return origin_ +
           QPoint(kTrayLefts[image - 1] + kTrayWidth / 2, kTrayTops[player] + kTrayHeight / 2);
  }

 private:
  QPoint origin_;
};

std::string Caption(const char* name) {
  return std::string("Zudir Iduv - Korvane#2 - ") + name + "'s Move";
}

TEST(PlayWholeGame, PlacementsMovesAndTheWinWindowThroughTheXServer) {
  if (QStandardPaths::findExecutable("xdotool").isEmpty()) GTEST_SKIP() << "no xdotool";
  RunningGame game;
  ASSERT_TRUE(game.Started());
  std::optional<QString> main;
  ASSERT_TRUE(
      WaitUntil([&] { return (main = FindWindow("^Zudir Iduv - Korvane#2$")).has_value(); }, 10000))
      << game.Errors();
  const QRect frame = WindowGeometry(*main);
  ASSERT_EQ(frame.width(), kClientWidth);
  const int menu_bar = frame.height() - kClientHeight;
  ASSERT_TRUE(menu_bar > 0 && menu_bar < 60) << "window height " << frame.height();
  const BoardOnScreen board(frame.topLeft() + QPoint(0, menu_bar));
  const auto caption_becomes = [&](const std::string& expected) {
    return WaitUntil([&] { return WindowName(*main).toStdString() == expected; });
  };

  struct Turn {
    QPoint from, to;
    const char* next;  // the player the caption names afterwards
  };
  const Turn turns[] = {
      {board.Tray(1, 1), board.Location(5), "Player 2"},
      {board.Tray(2, 1), board.Location(1), "Player 1"},
      {board.Tray(1, 2), board.Location(9), "Player 2"},
      {board.Tray(2, 2), board.Location(2), "Player 1"},
      {board.Tray(1, 1), board.Location(3), "Player 2"},
      {board.Tray(2, 1), board.Location(7), "Player 1"},
      // All placed: 3, 5, 9 against 1, 2, 7.
      {board.Location(9), board.Location(8), "Player 2"},
      {board.Location(7), board.Location(4), "Player 1"},
  };
  int number = 0;
  for (const Turn& t : turns) {
    SCOPED_TRACE("turn " + std::to_string(++number));
    DragPointer(t.from, t.to);
    ASSERT_TRUE(caption_becomes(Caption(t.next))) << WindowName(*main).toStdString();
  }

  // 8 to 7 gives player 1 the diagonal 3, 5, 7.
  DragPointer(board.Location(8), board.Location(7));
  std::optional<QString> won;
  ASSERT_TRUE(WaitUntil([&] { return (won = FindWindow("^Form1$")).has_value(); }));
  const QRect at = WindowGeometry(*won);
  EXPECT_EQ(at.size(), QSize(269, 106));
  EXPECT_EQ(at.top(), frame.top());
  EXPECT_EQ(at.left(), frame.left() + 134);  // 2017 twips
  EXPECT_EQ(WindowName(*main).toStdString(), Caption("Player 1"));
  KeyInto(*won, "space");
  EXPECT_TRUE(WaitUntil([&] { return !FindWindow("^Form1$").has_value(); }))
      << "Space did not close the win window";

  // The game goes on with the winner to act: player 2's move is refused in a box that
  // carries the program's title.
  DragPointer(board.Location(4), board.Location(8));
  std::optional<QString> box;
  ASSERT_TRUE(WaitUntil([&] { return (box = FindWindow("^Game Korvane#2$")).has_value(); }));
  KeyInto(*box, "Return");
  EXPECT_TRUE(WaitUntil([&] { return !FindWindow("^Game Korvane#2$").has_value(); }));
  EXPECT_EQ(WindowName(*main).toStdString(), Caption("Player 1"));

  // The winner moves on: 3 to 6 passes the turn.
  DragPointer(board.Location(3), board.Location(6));
  EXPECT_TRUE(caption_becomes(Caption("Player 2"))) << WindowName(*main).toStdString();
}

}  // namespace
}  // namespace x11play
