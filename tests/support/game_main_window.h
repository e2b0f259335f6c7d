// The game's real main window for window tests and benchmarks: loaded and shown on first
// use and then kept loaded across a program's cases, since unloading it plays the closing
// animation.
#pragma once

#include <functional>

#include "frmMain.h"

namespace korvane::testing {

// The main window, with the error switch as the start procedure sets it. On first use it
// is loaded, handed to `after_load` (to look at it before it is ever shown), and shown.
frmMain& MainWindow(const std::function<void(frmMain&)>& after_load = {});

// Game > New Game from the window's menu, as the player chooses it; the question it asks
// while a game is under way goes to the installed prompter (a BoxRecorder says Yes).
void ChooseNewGame();

}  // namespace korvane::testing
