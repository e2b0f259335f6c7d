// The game's board as nine digits, row by row from the top left ("120" "000" "000"):
// read and set in one line, so a case states a whole position at a glance.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "modMain.h"

namespace korvane::testing {

inline std::string Board() {
  std::string cells;
  for (int i = 0; i < 9; ++i)
    cells += static_cast<char>('0' + modMain::GameMatrix(i / 3 + 1, i % 3 + 1).value());
  return cells;
}

inline void SetBoard(const std::string& cells) {
  ASSERT_EQ(cells.size(), 9u) << "a board is nine digits";
  for (int i = 0; i < 9; ++i)
    modMain::GameMatrix(i / 3 + 1, i % 3 + 1) = static_cast<std::uint8_t>(cells[i] - '0');
}

}  // namespace korvane::testing
