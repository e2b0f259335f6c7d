#include "game_window.h"

#include "box_recorder.h"
#include "runtime/app_info.h"
#include "runtime/key_store.h"

namespace korvane::testing {

void StartNewGame(const std::string& player1, const std::string& player2, bool player1_first) {
  frmMain& main = MainWindow();
  tk::SaveSetting(tk::ExeName(), "Players", "Player1", player1);
  tk::SaveSetting(tk::ExeName(), "Players", "Player2", player2);
  main.chkFirtsMovePlayer1->SetValue(player1_first ? 1 : 0);
  tk::testing::BoxRecorder quit_question;  // "Quit Current Game ?" is answered Yes
  ChooseNewGame();
}

tk::Image& TrayImage(int player, int index) {
  frmMain& main = MainWindow();
  return player == 1 ? main.Player1sButtonAvailable(index) : main.Player2sButtonAvailable(index);
}

int VisibleTrayImages(int player) {
  int visible = 0;
  for (int i = 1; i <= 3; ++i) {
    if (!TrayImage(player, i).Visible()) continue;
    if (visible != i - 1) return -1;
    ++visible;
  }
  return visible;
}

int DrawnOwner(int location) {
  frmMain& main = MainWindow();
  const tk::PictureRef& picture = main.ButtonLocation(location).Picture();
  if (picture == nullptr) return 0;
  if (picture == main.imgPlayer1->Picture()) return 1;
  if (picture == main.imgPlayer2->Picture()) return 2;
  return -1;
}

}  // namespace korvane::testing
