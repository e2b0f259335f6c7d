#include <gtest/gtest.h>

#include "main_window_fixture.h"
#include "pictures.h"
#include "ui_driver.h"

namespace game_start_testing {
namespace {

using tk::testing::Drag;

constexpr const char* kEmptyBoardText = "0   0   0\r0   0   0\r0   0   0\r";

class Drawing : public MainWindowTest {
 protected:
  // Which pictures the nine locations show: '1', '2' for the players' tiles, '0' for none.
  std::string LocationPictures() const {
    std::string shown;
    for (int n = 1; n <= 9; ++n) {
      const tk::PictureRef& p = form.ButtonLocation(n).Picture();
      shown += p == nullptr                      ? '0'
               : p == form.imgPlayer1->Picture() ? '1'
               : p == form.imgPlayer2->Picture() ? '2'
                                                 : '?';
    }
    return shown;
  }
  // Tray images of a player as "vvh": visible with the player's tile, or hidden.
  std::string Tray(int player) const {
    std::string shown;
    for (int i = 1; i <= 3; ++i) {
      const tk::Image& img =
          player == 1 ? form.Player1sButtonAvailable(i) : form.Player2sButtonAvailable(i);
      const tk::Image* tile = player == 1 ? form.imgPlayer1 : form.imgPlayer2;
      shown += !img.Visible() ? 'h' : img.Picture() == tile->Picture() ? 'v' : '?';
    }
    return shown;
  }
};

TEST_F(Drawing, NewGameFillsBothTraysAndEmptiesTheBoard) {
  // Leave marks that only a full redraw removes.
  form.ButtonLocation(4).SetPicture(korvane::BoardTexturePicture());
  form.Player1sButtonAvailable(2).SetPicture(nullptr);
  form.Player2sButtonAvailable(3).SetVisible(false);
  form.mnuFileNewGame_Click();

  EXPECT_EQ(Tray(1), "vvv");
  EXPECT_EQ(Tray(2), "vvv");
  EXPECT_EQ(LocationPictures(), "000000000");
  EXPECT_EQ(form.Label1->Caption(), kEmptyBoardText);
  EXPECT_FALSE(form.Label1->Visible());
  EXPECT_EQ(form.imgPlayer1->Picture(), korvane::Player1TilePicture());
  EXPECT_EQ(form.imgPlayer2->Picture(), korvane::Player2TilePicture());
}

TEST_F(Drawing, TraysShowTheirFirstImagesWhicheverWasDragged) {
  Drag(form.Player1sButtonAvailable(3), form.ButtonLocation(1));
  EXPECT_EQ(Tray(1), "vvh");
  EXPECT_EQ(Tray(2), "vvv");
  Drag(form.Player2sButtonAvailable(1), form.ButtonLocation(5));
  Drag(form.Player1sButtonAvailable(1), form.ButtonLocation(9));
  EXPECT_EQ(Tray(1), "vhh");
  EXPECT_EQ(Tray(2), "vvh");
  EXPECT_EQ(LocationPictures(), "100020001");
  EXPECT_EQ(form.Label1->Caption(), "1   0   0\r0   2   0\r0   0   1\r");
  EXPECT_FALSE(form.Label1->Visible());

  Drag(form.Player2sButtonAvailable(1), form.ButtonLocation(3));
  Drag(form.Player1sButtonAvailable(1), form.ButtonLocation(8));
  EXPECT_EQ(Tray(1), "hhh");
  EXPECT_EQ(Tray(2), "vhh");
}

TEST_F(Drawing, EveryRedrawSetsAllNineLocations) {
  // Player 1 has placed all three and moves 1 -> 5; nothing is in a line.
  SetBoard("120001210");
  modMain::Player1ButtonsLeft = 0;
  modMain::Player2ButtonsLeft = 0;
  modMain::GameMatrix(3, 3) = 7;  // not a player: drawn as empty
  form.ButtonLocation(6).SetPicture(korvane::BoardTexturePicture());  // stale, must go
  Drag(form.ButtonLocation(1), form.ButtonLocation(5));

  EXPECT_EQ(Board(), "020011217");
  EXPECT_EQ(LocationPictures(), "020011210");
  EXPECT_EQ(form.Label1->Caption(), "0   2   0\r0   1   1\r2   1   7\r");
}

}  // namespace
}  // namespace game_start_testing
