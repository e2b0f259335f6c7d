#include <set>
#include <utility>

#include "rules_fixture.h"

namespace {

using modMain::kMove;
using modMain::kPlacement;
using modMain::MoveButtonRule;

// The lines drawn on the board: the outer square and the spokes from the centre.
const std::set<std::pair<int, int>>& BoardLines() {
  static const std::set<std::pair<int, int>> lines = [] {
    const std::vector<std::vector<int>> neighbours = {
        {},        {2, 4, 5}, {1, 3, 5}, {2, 5, 6}, {1, 5, 7}, {1, 2, 3, 4, 6, 7, 8, 9},
        {3, 5, 9}, {4, 5, 8}, {5, 7, 9}, {5, 6, 8}};
    std::set<std::pair<int, int>> s;
    for (int from = 1; from <= 9; ++from)
      for (int to : neighbours[from]) s.insert({from, to});
    return s;
  }();
  return lines;
}

std::string WithButton(int location, char player) {
  std::string board(9, '0');
  board[location - 1] = player;
  return board;
}

using MoveButton = RulesTest;

TEST_F(MoveButton, AcceptsExactlyTheStepsAlongTheLines) {
  for (int from = 1; from <= 9; ++from) {
    for (int to = 1; to <= 9; ++to) {
      SetBoard(WithButton(from, '2'));
      const bool accepted = from != to && BoardLines().count({from, to}) == 1;
      EXPECT_EQ(MoveButtonRule(kMove, from, to, 2), tk::ToBool16(accepted)) << from << " -> " << to;
      // A move leaves 0 behind and the player's number on the target; a refusal nothing.
      EXPECT_EQ(Board(), accepted ? WithButton(to, '2') : WithButton(from, '2'))
          << from << " -> " << to;
    }
  }
  EXPECT_EQ(modMain::Player1ButtonsLeft, 3);
  EXPECT_EQ(modMain::Player2ButtonsLeft, 3);
}

TEST_F(MoveButton, NeverGoesOntoAnOccupiedLocation) {
  struct Case {
    const char* board;
    std::uint8_t mode;
    int from, to, player;
  } cases[] = {
      {"100000000", kMove, 1, 1, 1},       // onto itself
      {"110000000", kMove, 1, 2, 1},       // own button on a neighbour
      {"120000000", kMove, 1, 2, 1},       // other player's button on a neighbour
      {"000020001", kMove, 9, 5, 1},       // corner to an occupied centre
      {"100000000", kPlacement, 1, 1, 1},  // own button
      {"100000000", kPlacement, 1, 1, 2},  // other player's button
      {"000020000", kPlacement, 3, 5, 1},  // occupied centre
  };
  for (const Case& c : cases) {
    SetBoard(c.board);
    EXPECT_EQ(MoveButtonRule(c.mode, c.from, c.to, c.player), tk::kFalse16)
        << c.board << " " << c.from << " -> " << c.to;
    EXPECT_EQ(Board(), c.board);
  }
}

TEST_F(MoveButton, PlacesOnAnyEmptyLocationWithoutReadingTheSource) {
  for (int to = 1; to <= 9; ++to) {
    modMain::ClearGameMatrix();
    // The source is a tray image: its index is no board location, and is never read.
    EXPECT_EQ(MoveButtonRule(kPlacement, 0, to, 1), tk::kTrue16) << to;
    EXPECT_EQ(Board(), WithButton(to, '1'));
  }
  SetBoard("100000000");
  EXPECT_EQ(MoveButtonRule(kPlacement, 3, 5, 2), tk::kTrue16);
  EXPECT_EQ(Board(), "100020000");
  EXPECT_EQ(modMain::Player2ButtonsLeft, 3);  // counting is the caller's job
}

TEST_F(MoveButton, OffTheBoardIsRefusedWithTheBoardUnchanged) {
  struct Case {
    std::uint8_t mode;
    int from, to;
  } cases[] = {
      {kPlacement, 1, 0},
      {kPlacement, 1, 10},
      {kMove, 1, 0},
      // (1, 0) looks like the left neighbour of location 1: refused before anything is written.
      {kMove, 0, 1},
  };
  for (const Case& c : cases) {
    SetBoard("000000000");
    EXPECT_EQ(MoveButtonRule(c.mode, c.from, c.to, 1), tk::kFalse16) << c.from << " -> " << c.to;
    EXPECT_EQ(Board(), "000000000");
  }
}

TEST_F(MoveButton, WithDebugModeOnTheErrorRisesToTheCaller) {
  modMain::DebugMode = tk::kTrue16;
  EXPECT_EQ(ErrorOf([] { MoveButtonRule(kPlacement, 1, 10, 1); }), tk::kSubscriptOutOfRange);
  EXPECT_EQ(ErrorOf([] { MoveButtonRule(kMove, 0, 1, 1); }), tk::kSubscriptOutOfRange);
  EXPECT_EQ(Board(), "000000000");
}

TEST_F(MoveButton, RefusesPlayersAndModesItDoesNotKnow) {
  EXPECT_EQ(MoveButtonRule(kPlacement, 0, 5, 0), tk::kFalse16);
  EXPECT_EQ(MoveButtonRule(kPlacement, 0, 5, 3), tk::kFalse16);
  SetBoard("100000000");
  EXPECT_EQ(MoveButtonRule(2, 1, 2, 1), tk::kFalse16);
  EXPECT_EQ(Board(), "100000000");
}

}  // namespace
