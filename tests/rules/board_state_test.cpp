#include "rules_fixture.h"

namespace {

using BoardState = RulesTest;

TEST_F(BoardState, ResetGameClearsTheBoardRefillsTheTraysAndKeepsTheTurn) {
  for (tk::Bool16 turn : {tk::kTrue16, tk::kFalse16}) {
    SetBoard("120012001");
    modMain::Player1ButtonsLeft = 0;
    modMain::Player2ButtonsLeft = 1;
    modMain::Player1Turn = turn;
    modMain::ResetGame();
    EXPECT_EQ(Board(), "000000000");
    EXPECT_EQ(modMain::Player1ButtonsLeft, 3);
    EXPECT_EQ(modMain::Player2ButtonsLeft, 3);
    EXPECT_EQ(modMain::Player1Turn, turn);
  }
}

TEST_F(BoardState, LocationsAndCellsConvertBothWays) {
  for (int row = 1; row <= 3; ++row) {
    for (int col = 1; col <= 3; ++col) {
      const int location = modMain::CellToLocation(row, col);
      EXPECT_EQ(location, (row - 1) * 3 + col) << row << "," << col;  // row by row, 5 the centre
      tk::Int16 r, c;
      modMain::LocationToCell(location, r, c);
      EXPECT_EQ(r, row);
      EXPECT_EQ(c, col);
    }
  }
}

TEST_F(BoardState, LocationOwnerIsTheCellOfThatLocation) {
  SetBoard("100020000");
  EXPECT_EQ(modMain::GetLocationOwner(1), 1);
  EXPECT_EQ(modMain::GetLocationOwner(5), 2);
  EXPECT_EQ(modMain::GetLocationOwner(9), 0);
}

TEST_F(BoardState, CellAccessOffTheBoardRaisesSubscriptOutOfRange) {
  struct Cell {
    int row, col;
  } cells[] = {{0, 1}, {4, 1}, {1, 0}, {1, 4}, {-1, 2}};
  for (Cell c : cells)
    EXPECT_EQ(ErrorOf([&] { modMain::GameMatrix(c.row, c.col); }), 9) << c.row << "," << c.col;
  // No trap of its own: the error reaches the caller.
  EXPECT_EQ(ErrorOf([] { modMain::GetLocationOwner(0); }), 9);
  EXPECT_EQ(ErrorOf([] { modMain::GetLocationOwner(10); }), 9);
}

TEST_F(BoardState, MatrixTextIsThreeLinesEndedByBareCarriageReturns) {
  EXPECT_EQ(modMain::GetGameMatrixText(), "0   0   0\r0   0   0\r0   0   0\r");
  EXPECT_EQ(modMain::GetGameMatrixText().size(), 30u);
  SetBoard("100020000");
  EXPECT_EQ(modMain::GetGameMatrixText(), "1   0   0\r0   2   0\r0   0   0\r");
}

}  // namespace
