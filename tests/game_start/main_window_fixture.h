// The real main window, kept loaded across the cases of a test program: each case starts
// from a fresh game (box ticked, player 1 to move, default names) and answers the
// window's boxes through a recorder.
#pragma once

#include <gtest/gtest.h>

#include <QTest>
#include <QWidget>
#include <string>
#include <vector>

#include "board_cells.h"
#include "box_recorder.h"
#include "frmMain.h"
#include "modMain.h"
#include "modMain_start.h"
#include "runtime/app_info.h"
#include "runtime/key_store.h"

namespace game_start_testing {

inline std::string PlayersKey(const std::string& section = "Players") {
  return tk::SettingsKey(tk::ExeName(), section);
}

inline void ForgetStoredNames() {
  tk::KeyStore::User().Update([](tk::StoreTree& t) { t.DeleteTree(PlayersKey()); });
}

using korvane::testing::Board;
using korvane::testing::SetBoard;

// Everything a player can see or the next turn depends on.
struct GameSnapshot {
  std::string board;
  int left1 = 0, left2 = 0;
  int turn = 0;
  std::string name1, name2, caption, board_text;
  std::vector<bool> trays;  // player 1's three images, then player 2's
  std::vector<bool> pictured_locations;

  static GameSnapshot Take() {
    frmMain& f = frmMain::Instance();
    GameSnapshot s;
    s.board = Board();
    s.left1 = modMain::Player1ButtonsLeft;
    s.left2 = modMain::Player2ButtonsLeft;
    s.turn = modMain::Player1Turn;
    s.name1 = f.lblPlayer1->Caption();
    s.name2 = f.lblPlayer2->Caption();
    s.caption = f.Caption();
    s.board_text = f.Label1->Caption();
    for (int i = 1; i <= 3; ++i) s.trays.push_back(f.Player1sButtonAvailable(i).Visible());
    for (int i = 1; i <= 3; ++i) s.trays.push_back(f.Player2sButtonAvailable(i).Visible());
    for (int n = 1; n <= 9; ++n)
      s.pictured_locations.push_back(f.ButtonLocation(n).Picture() != nullptr);
    return s;
  }
  bool operator==(const GameSnapshot&) const = default;
};

inline void PrintTo(const GameSnapshot& s, std::ostream* os) {
  *os << "board " << s.board << ", left " << s.left1 << "/" << s.left2 << ", turn " << s.turn
      << ", names '" << s.name1 << "'/'" << s.name2 << "', caption '" << s.caption << "'";
}

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ForgetStoredNames();
    if (!form.IsLoaded()) modMain::Main();
    form.Show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Window()));
    form.chkFirtsMovePlayer1->SetValue(1);
    form.mnuFileNewGame_Click();  // the recorder answers Yes when it asks
    boxes.messages.clear();
  }

  // The one question that New Game and Exit ask, as the recorder saw it.
  static bool IsQuitQuestion(const tk::MessageBoxRequest& box) {
    return box.text == "Quit Current Game ?" && box.style == 36 && box.title == "New Game";
  }

  frmMain& form = frmMain::Instance();
  tk::testing::BoxRecorder boxes;
};

}  // namespace game_start_testing
