// The game's real main window for window tests: loaded and shown once per program, and
// started afresh through its New Game command for every case.
#pragma once

#include <string>

#include "frmMain.h"
#include "game_main_window.h"

namespace korvane::testing {

inline constexpr const char* kAppTitle = "Game Korvane#2";

// Saves the two names, sets the first-move option and runs New Game from the menu,
// answering its question; the window's caption is left as it was.
void StartNewGame(const std::string& player1 = "Player 1", const std::string& player2 = "Player 2",
                  bool player1_first = true);

tk::Image& TrayImage(int player, int index);
// How many of a player's tray images are visible; -1 when the visible ones are not the
// leftmost.
int VisibleTrayImages(int player);

// The owner of a location as drawn: 1 or 2 for that player's tile, 0 for the empty
// picture, -1 for anything else.
int DrawnOwner(int location);

}  // namespace korvane::testing
