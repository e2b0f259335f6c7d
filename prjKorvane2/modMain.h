// The state of the one game in play and the rules that read and change it. Plain C++:
// the main window calls in here, and nothing here knows of windows.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "Grid3x3.h"
#include "runtime/checked.h"

namespace modMain {

// The title that boxes of the game show when they name none.
inline constexpr const char* kAppTitle = "Game Korvane#2";

// MoveButtonRule modes.
inline constexpr std::uint8_t kPlacement = 0;  // a button from the tray onto the board
inline constexpr std::uint8_t kMove = 1;       // a board button one step along a line

// Module state, zero at start-up. Cells hold 0 (empty), 1 or 2 (that player's button).
extern Grid3x3 GameMatrix;
extern tk::Byte Player1ButtonsLeft;  // buttons still to place, 0 to 3
extern tk::Byte Player2ButtonsLeft;
extern tk::Bool16 Player1Turn;  // set and toggled by the main window only
extern tk::Bool16 DebugMode;    // while False, guarded procedures resume after a failure

// Where player names come from: the main window installs a reader of its name labels.
// Without one (or after installing an empty function) the names are "Player 1"/"Player 2".
void SetPlayerNameSource(std::function<std::string(int player)> source);

void ResetGame();
void ClearGameMatrix();
tk::Byte CellToLocation(tk::Byte Row, tk::Byte Col);
void LocationToCell(tk::Byte Location, tk::Int16& Row, tk::Int16& Col);
tk::Byte GetLocationOwner(tk::Byte Location);

// Checks and applies a placement (kPlacement) or a one-step move (kMove) for Player;
// True when made. Neither the turn nor the owner of FromLocation is checked here.
tk::Bool16 MoveButtonRule(tk::Byte Mode, tk::Byte FromLocation, tk::Byte ToLocation,
                          tk::Int32 Player);

// True once Player has no buttons left to place; otherwise tells him so in a box.
tk::Bool16 AllButtonsPlaced(tk::Int32 Player);
std::string GetPlayerName(tk::Int32 Player);
// Three lines of the cell digits, three blanks apart, each ended by a bare "\r".
std::string GetGameMatrixText();
// The player with three in a row, column or diagonal, or 0; the first line found decides.
tk::Byte CheckForWinner();

}  // namespace modMain
