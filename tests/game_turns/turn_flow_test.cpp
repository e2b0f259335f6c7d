// Whole games scripted as a player plays them: every action is a real drag (or a click)
// on the main window, and every step states what the player must see next: the box that
// answers it, or the caption naming the player to act, or the win window, or nothing.
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <string>
#include <vector>

#include "box_recorder.h"
#include "game_window.h"
#include "modMain.h"
#include "ui_driver.h"
#include "win_window_closer.h"

namespace korvane::testing {
namespace {

struct Action {
  enum Kind { kTray, kMove, kClick } kind;
  int player = 0;  // kTray: whose tray
  int from = 0;    // tray image (kTray) or location
  int to = 0;      // location
};
Action Tray1(int image, int to) {
  return {Action::kTray, 1, image, to};
}
Action Tray2(int image, int to) {
  return {Action::kTray, 2, image, to};
}
Action MoveFrom(int from, int to) {
  return {Action::kMove, 0, from, to};
}
Action ClickOn(int location) {
  return {Action::kClick, 0, location, location};
}

struct Outcome {
  enum Kind { kAccepted, kNothing, kBox, kWin } kind;
  std::string name;  // kAccepted: the player now to act; kWin: the winner
  tk::MessageBoxRequest box;
};
Outcome Accepted(const std::string& next) {
  return {Outcome::kAccepted, next, {}};
}
Outcome Nothing() {
  return {Outcome::kNothing, "", {}};
}
Outcome Says(const std::string& text, int style, const std::string& title) {
  return {Outcome::kBox, "", {text, style, title}};
}
Outcome Wins(const std::string& winner) {
  return {Outcome::kWin, winner, {}};
}

struct Step {
  Action action;
  Outcome outcome;
};

struct Script {
  const char* name;
  std::string player1, player2;
  bool player1_first;
  std::vector<Step> steps;
};
void PrintTo(const Script& s, std::ostream* os) {
  *os << s.name;
}

const std::string kApp = kAppTitle;
const std::string kPlaceFirst = "Please place all your buttons on the board first to begin move.";

// Default names, player 1 first: the refusals of placements and moves, the four outcomes
// of a click on a location, and moves along the outer square and the spokes.
Script RefusalsAndMoves() {
  return {"RefusalsAndMoves",
          "Player 1",
          "Player 2",
          true,
          {
              {ClickOn(5), Nothing()},
              {MoveFrom(5, 1), Nothing()},
              {Tray2(1, 1), Says("It is Player 1's Move.", 16, kApp)},
              {Tray1(3, 1), Accepted("Player 2")},
              {Tray2(1, 1), Says("Invalid Move", 16, "Invalid")},
              {Tray1(1, 1), Says("It is Player 2's Move.", 16, kApp)},
              {Tray2(2, 5), Accepted("Player 1")},
              {ClickOn(5), Says("It is Player 1's Move.", 16, kApp)},
              {ClickOn(1), Says("Player 1\r" + kPlaceFirst, 48, "Inf")},
              {MoveFrom(1, 2), Says("Player 1\r" + kPlaceFirst, 48, "Inf")},
              {Tray1(1, 9), Accepted("Player 2")},
              {Tray2(2, 2), Accepted("Player 1")},
              {Tray1(1, 4), Accepted("Player 2")},
              {Tray2(1, 6), Accepted("Player 1")},
              // 1, 4, 9 against 2, 5, 6: both have placed all.
              {ClickOn(9), Says("Player 1\rInvalid Move", 48, "Invalid")},
              {MoveFrom(4, 8), Says("Player 1\rInvalid Move", 48, "Invalid")},
              {MoveFrom(1, 3), Says("Player 1\rInvalid Move", 48, "Invalid")},
              {MoveFrom(9, 5), Says("Player 1\rInvalid Move", 48, "Invalid")},
              {MoveFrom(9, 8), Accepted("Player 2")},
              {MoveFrom(8, 9), Says("It is Player 2's Move.", 16, kApp)},
              {MoveFrom(6, 9), Accepted("Player 1")},
              {MoveFrom(4, 7), Accepted("Player 2")},
              {MoveFrom(2, 4), Says("Player 2\rInvalid Move", 48, "Invalid")},
              {MoveFrom(5, 3), Accepted("Player 1")},
              {MoveFrom(8, 5), Accepted("Player 2")},
              {MoveFrom(2, 6), Says("Player 2\rInvalid Move", 48, "Invalid")},
              {MoveFrom(3, 6), Accepted("Player 1")},
          }};
}

// Own names, player 1 first: the earliest win, on the fifth action, and the game going
// on after it with the winner still to act.
Script EarliestWinAndPlayAfterIt() {
  return {"EarliestWinAndPlayAfterIt",
          "Ann",
          "Bo Stone",
          true,
          {
              {Tray1(1, 1), Accepted("Bo Stone")},
              {Tray2(1, 4), Accepted("Ann")},
              {Tray1(2, 2), Accepted("Bo Stone")},
              {Tray2(2, 5), Accepted("Ann")},
              {Tray1(1, 3), Wins("Ann")},
              {Tray2(1, 9), Says("It is Ann's Move.", 16, kApp)},
              {MoveFrom(5, 6), Says("It is Ann's Move.", 16, kApp)},
              {MoveFrom(3, 6), Accepted("Bo Stone")},
              {Tray2(1, 9), Accepted("Ann")},
              {MoveFrom(2, 3), Accepted("Bo Stone")},
              {MoveFrom(5, 2), Accepted("Ann")},
              {MoveFrom(1, 5), Accepted("Bo Stone")},
          }};
}

// Default names, player 2 first: a win by a move along a spoke into the centre.
Script Player2FirstWinsByAMove() {
  return {"Player2FirstWinsByAMove",
          "Player 1",
          "Player 2",
          false,
          {
              {Tray1(1, 5), Says("It is Player 2's Move.", 16, kApp)},
              {Tray2(1, 1), Accepted("Player 1")},
              {Tray1(1, 5), Accepted("Player 2")},
              {Tray2(1, 2), Accepted("Player 1")},
              {Tray1(1, 9), Accepted("Player 2")},
              {Tray2(1, 6), Accepted("Player 1")},
              {Tray1(1, 3), Accepted("Player 2")},
              {MoveFrom(1, 4), Accepted("Player 1")},
              {MoveFrom(5, 8), Accepted("Player 2")},
              {MoveFrom(2, 5), Wins("Player 2")},
              {MoveFrom(8, 7), Says("It is Player 2's Move.", 16, kApp)},
              {MoveFrom(4, 1), Accepted("Player 1")},
          }};
}

// What the board should hold: the script's accepted actions applied in turn.
struct Model {
  std::array<int, 10> owner{};  // by location, 1 to 9
  std::array<int, 3> placed{};  // by player, 1 and 2

  void Apply(const Action& a) {
    if (a.kind == Action::kTray) {
      owner[a.to] = a.player;
      ++placed[a.player];
    } else {
      owner[a.to] = owner[a.from];
      owner[a.from] = 0;
    }
  }
};

void Perform(const Action& a) {
  frmMain& main = MainWindow();
  switch (a.kind) {
    case Action::kTray: {
      tk::Image& source = TrayImage(a.player, a.from);
      ASSERT_TRUE(source.Visible()) << "the script drags a hidden tray image";
      tk::testing::Drag(source, main.ButtonLocation(a.to));
      break;
    }
    case Action::kMove:
      tk::testing::Drag(main.ButtonLocation(a.from), main.ButtonLocation(a.to));
      break;
    case Action::kClick:
      tk::testing::Click(main.ButtonLocation(a.from));
      break;
  }
}

std::string Describe(const Action& a) {
  switch (a.kind) {
    case Action::kTray:
      return "tray " + std::to_string(a.player) + " image " + std::to_string(a.from) + " onto " +
             std::to_string(a.to);
    case Action::kMove:
      return "location " + std::to_string(a.from) + " onto " + std::to_string(a.to);
    case Action::kClick:
      return "click on " + std::to_string(a.from);
  }
  return "";
}

void ExpectBoardAndTraysShow(const Model& model) {
  for (int n = 1; n <= 9; ++n) {
    const int row = (n - 1) / 3 + 1, col = (n - 1) % 3 + 1;
    EXPECT_EQ(int(modMain::GameMatrix(row, col)), model.owner[n]) << "cell of location " << n;
    EXPECT_EQ(DrawnOwner(n), model.owner[n]) << "picture at location " << n;
  }
  EXPECT_EQ(VisibleTrayImages(1), 3 - model.placed[1]);
  EXPECT_EQ(VisibleTrayImages(2), 3 - model.placed[2]);
  EXPECT_EQ(int(modMain::Player1ButtonsLeft), 3 - model.placed[1]);
  EXPECT_EQ(int(modMain::Player2ButtonsLeft), 3 - model.placed[2]);
}

class TurnFlow : public ::testing::TestWithParam<Script> {};

TEST_P(TurnFlow, EveryDropIsAnsweredAsThePlayerExpects) {
  const Script& script = GetParam();
  StartNewGame(script.player1, script.player2, script.player1_first);
  frmMain& main = MainWindow();
  Model model;
  WinWindowCloser closer;
  int step_number = 0;
  for (const Step& step : script.steps) {
    ++step_number;
    SCOPED_TRACE("step " + std::to_string(step_number) + ": " + Describe(step.action));
    const std::string caption_before = main.Caption();
    const size_t wins_before = closer.congratulations.size();
    tk::testing::BoxRecorder boxes;
    Perform(step.action);
    if (::testing::Test::HasFatalFailure()) return;

    const Outcome& out = step.outcome;
    if (out.kind == Outcome::kBox) {
      ASSERT_EQ(boxes.messages.size(), 1u);
      EXPECT_EQ(boxes.messages[0].text, out.box.text);
      EXPECT_EQ(boxes.messages[0].style, out.box.style);
      EXPECT_EQ(boxes.messages[0].title, out.box.title);
    } else {
      EXPECT_TRUE(boxes.messages.empty()) << boxes.messages[0].text;
    }
    if (out.kind == Outcome::kAccepted) {
      EXPECT_EQ(main.Caption(), "Zudir Iduv - Korvane#2 - " + out.name + "'s Move");
    } else {
      // Refusals and a win leave the caption as it was.
      EXPECT_EQ(main.Caption(), caption_before);
    }
    if (out.kind == Outcome::kWin) {
      ASSERT_EQ(closer.congratulations.size(), wins_before + 1);
      EXPECT_EQ(closer.congratulations.back(), "Congradulations " + out.name + "  You Won...!");
    } else {
      EXPECT_EQ(closer.congratulations.size(), wins_before);
    }
    EXPECT_FALSE(frmWon::Instance().IsLoaded());
    if (out.kind == Outcome::kAccepted || out.kind == Outcome::kWin) model.Apply(step.action);
    ExpectBoardAndTraysShow(model);
  }
}

INSTANTIATE_TEST_SUITE_P(Games, TurnFlow,
                         ::testing::Values(RefusalsAndMoves(), EarliestWinAndPlayAfterIt(),
                                           Player2FirstWinsByAMove()),
                         [](const ::testing::TestParamInfo<Script>& info) {
                           return std::string(info.param.name);
                         });

}  // namespace
}  // namespace korvane::testing
