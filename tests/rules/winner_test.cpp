#include "rules_fixture.h"

namespace {

using CheckForWinner = RulesTest;

TEST_F(CheckForWinner, FindsTheFirstCompleteLineInScanOrder) {
  struct Case {
    const char* board;
    int winner;
    const char* why;
  } cases[] = {
      {"000000000", 0, "empty board"},
      {"112000000", 0, "two and one in row 1"},
      {"100200100", 0, "two and one in column 1"},
      {"201010002", 0, "two and one on a diagonal"},
      {"121212000", 0, "full top rows, no line"},
      {"222000111", 2, "row 1 is examined before row 3"},
      {"102102102", 1, "column 1 is examined before column 3"},
      {"002002002", 2, "column 3"},
      {"000111000", 1, "row 2"},
      {"020020020", 2, "column 2"},
      {"100010001", 1, "diagonal from the top left"},
      {"002020200", 2, "diagonal from the top right"},
  };
  for (const Case& c : cases) {
    SetBoard(c.board);
    EXPECT_EQ(modMain::CheckForWinner(), c.winner) << c.why;
  }
}

}  // namespace
