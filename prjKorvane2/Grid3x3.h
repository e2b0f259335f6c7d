// A 3 x 3 array of unsigned bytes indexed (Row, Col) from 1, as the board is. An index
// outside 1 to 3 raises Subscript out of range (9) instead of reaching another cell.
#pragma once

#include <array>

#include "runtime/checked.h"
#include "runtime/errors.h"

class Grid3x3 {
 public:
  tk::Byte& operator()(long long Row, long long Col) { return cells_[Offset(Row, Col)]; }
  const tk::Byte& operator()(long long Row, long long Col) const {
    return cells_[Offset(Row, Col)];
  }
  void Clear() { cells_.fill(tk::Byte(0)); }

 private:
  static std::size_t Offset(long long Row, long long Col) {
    if (Row < 1 || Row > 3 || Col < 1 || Col > 3) tk::Raise(tk::kSubscriptOutOfRange);
    return static_cast<std::size_t>((Row - 1) * 3 + (Col - 1));
  }
  std::array<tk::Byte, 9> cells_{};
};
