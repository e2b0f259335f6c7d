#include "modMain.h"

#include <cstdlib>
#include <utility>

#include "runtime/errors.h"
#include "runtime/prompts.h"

namespace modMain {

Grid3x3 GameMatrix;
tk::Byte Player1ButtonsLeft;
tk::Byte Player2ButtonsLeft;
tk::Bool16 Player1Turn = tk::kFalse16;
tk::Bool16 DebugMode = tk::kFalse16;

namespace {

std::function<std::string(int)>& PlayerNameSource() {
  static std::function<std::string(int)> source;
  return source;
}

// The lines of the board: the outer square and the eight spokes from the centre.
bool IsStepAlongLine(int FromRow, int FromCol, int ToRow, int ToCol) {
  const bool horizontal = FromRow == ToRow && (FromCol == ToCol - 1 || FromCol == ToCol + 1);
  const bool vertical = FromCol == ToCol && (FromRow == ToRow - 1 || FromRow == ToRow + 1);
  // A one-step diagonal is a line only between a corner and the centre; the last two
  // tests refuse the four between edge locations (2-4, 2-6, 4-8, 6-8).
  const bool diagonal = std::abs(FromRow - ToRow) == 1 && std::abs(FromCol - ToCol) == 1 &&
                        FromRow != ToCol && FromCol != ToRow;
  return horizontal || vertical || diagonal;
}

bool ApplyMove(tk::Byte Mode, tk::Byte FromLocation, tk::Byte ToLocation, tk::Int32 Player) {
  tk::Int16 ToRow, ToCol;
  LocationToCell(ToLocation, ToRow, ToCol);
  // Nothing ever goes onto an occupied location, whatever the mode: this test comes first.
  if (GameMatrix(ToRow, ToCol) != 0) return false;
  // A cell only ever holds 1 or 2; anything else would break the counts of the trays.
  if (Player != 1 && Player != 2) return false;
  const tk::Byte mark = tk::Byte::From(Player);

  if (Mode == kPlacement) {
    GameMatrix(ToRow, ToCol) = mark;
    return true;
  }
  if (Mode != kMove) return false;

  tk::Int16 FromRow, FromCol;
  LocationToCell(FromLocation, FromRow, FromCol);
  if (!IsStepAlongLine(FromRow, FromCol, ToRow, ToCol)) return false;
  // Reached before any write, so a source off the board leaves the board as it was.
  tk::Byte& from = GameMatrix(FromRow, FromCol);
  GameMatrix(ToRow, ToCol) = mark;
  from = 0;
  return true;
}

}  // namespace

void SetPlayerNameSource(std::function<std::string(int player)> source) {
  PlayerNameSource() = std::move(source);
}

void ResetGame() {
  Player1ButtonsLeft = 3;
  Player2ButtonsLeft = 3;
  ClearGameMatrix();
}

void ClearGameMatrix() {
  GameMatrix.Clear();
}

tk::Byte CellToLocation(tk::Byte Row, tk::Byte Col) {
  const tk::Int16 location = tk::Int16(Row) * tk::Int16(3) + tk::Int16(Col) - tk::Int16(3);
  return tk::Byte::From(location);
}

void LocationToCell(tk::Byte Location, tk::Int16& Row, tk::Int16& Col) {
  const tk::Int16 index = tk::Int16(Location) - tk::Int16(1);
  // Integer division and remainder truncate towards zero, as the runtime's \ and Mod do.
  Row = tk::Int16::From(index / 3) + tk::Int16(1);
  Col = tk::Int16::From(index % 3) + tk::Int16(1);
}

tk::Byte GetLocationOwner(tk::Byte Location) {
  tk::Int16 Row, Col;
  LocationToCell(Location, Row, Col);
  return GameMatrix(Row, Col);
}

tk::Bool16 MoveButtonRule(tk::Byte Mode, tk::Byte FromLocation, tk::Byte ToLocation,
                          tk::Int32 Player) {
  tk::ResumeNext next(DebugMode == tk::kFalse16);
  tk::Bool16 made = tk::kFalse16;
  // One guarded statement: a failure refuses the move with the board unchanged, rather
  // than resuming halfway through a half-applied move.
  next([&] { made = tk::ToBool16(ApplyMove(Mode, FromLocation, ToLocation, Player)); });
  return made;
}

tk::Bool16 AllButtonsPlaced(tk::Int32 Player) {
  const bool buttonsLeft =
      (Player == 1 && Player1ButtonsLeft >= 1) || (Player == 2 && Player2ButtonsLeft >= 1);
  if (!buttonsLeft) return tk::kTrue16;
  tk::MsgBox(GetPlayerName(Player) + "\r" +
                 "Please place all your buttons on the board first to begin move.",
             tk::kExclamation | tk::kOkOnly, "Inf", kAppTitle);
  return tk::kFalse16;
}

std::string GetPlayerName(tk::Int32 Player) {
  if (Player != 1 && Player != 2) return "";
  if (PlayerNameSource()) return PlayerNameSource()(Player);
  return Player == 1 ? "Player 1" : "Player 2";
}

std::string GetGameMatrixText() {
  std::string text;
  for (int Row = 1; Row <= 3; ++Row) {
    text += std::to_string(GameMatrix(Row, 1).value()) + "   ";
    text += std::to_string(GameMatrix(Row, 2).value()) + "   ";
    text += std::to_string(GameMatrix(Row, 3).value()) + "\r";
  }
  return text;
}

tk::Byte CheckForWinner() {
  tk::ResumeNext next(DebugMode == tk::kFalse16);
  tk::Byte winner = 0;
  // A line is complete when its first cell holds a button and the other two match it.
  auto check = [&](int r1, int c1, int r2, int c2, int r3, int c3) {
    if (winner != 0) return;
    next([&] {
      const tk::Byte first = GameMatrix(r1, c1);
      if (first != 0 && GameMatrix(r2, c2) == first && GameMatrix(r3, c3) == first) winner = first;
    });
  };
  for (tk::Int16 i = 1; i <= 3; ++i) {
    check(i, 1, i, 2, i, 3);  // row i
    check(1, i, 2, i, 3, i);  // column i
  }
  check(1, 1, 2, 2, 3, 3);
  check(1, 3, 2, 2, 3, 1);
  return winner;
}

}  // namespace modMain
