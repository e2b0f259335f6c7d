// The game's main window, loaded once per test program and kept loaded (unloading it
// plays a closing animation); each test starts from a new game with the stored names
// removed and answers the window's boxes through a recorder.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>

#include "box_recorder.h"
#include "frmMain.h"

namespace korvane_test {

// The store file this test program uses (every test gets its own).
std::filesystem::path StoreFile();
// The program's own name and folder, as the operating system reports them.
std::string OwnExeName();
std::string OwnExeFolder();
// A player's stored name, read straight from the store file.
std::optional<std::string> StoredName(int player);
// File identity and time: an atomic rewrite of the store always changes one of them.
std::string StoreFingerprint();

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;

  tk::Label& Name(int player) const { return *(player == 1 ? f.lblPlayer1 : f.lblPlayer2); }
  tk::Image& Tile(int player) const { return *(player == 1 ? f.imgPlayer1 : f.imgPlayer2); }
  tk::Image& Tray(int player, int index) const {
    return player == 1 ? f.Player1sButtonAvailable(index) : f.Player2sButtonAvailable(index);
  }
  // Clicks the start of the player's name label and answers the input box with `answer`
  // (nullopt: Cancel).
  void Rename(int player, std::optional<std::string> answer);
  // Game > New Game, saying Yes to the question when a game is under way.
  void NewGame();

  frmMain& f = frmMain::Instance();
  tk::testing::BoxRecorder boxes;
  // The two tiles' tooltips right after the window first loaded, before any mouse move.
  static inline std::string tile_tooltips_at_load;
};

}  // namespace korvane_test
