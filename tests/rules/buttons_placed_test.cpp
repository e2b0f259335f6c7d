#include "rules_fixture.h"

namespace {

using AllButtonsPlaced = RulesTest;

const std::string kPlaceFirst = "Please place all your buttons on the board first to begin move.";

TEST_F(AllButtonsPlaced, TellsAPlayerWithButtonsLeftInABox) {
  modMain::SetPlayerNameSource([](int player) { return player == 1 ? "Ann" : "Bob"; });
  struct Case {
    int player, left1, left2;
    bool placed;
  } cases[] = {
      {1, 0, 3, true}, {1, 1, 0, false}, {1, 2, 2, false}, {1, 3, 0, false},
      {2, 0, 0, true}, {2, 3, 1, false}, {2, 0, 3, false},
  };
  for (const Case& c : cases) {
    boxes_.clear();
    modMain::Player1ButtonsLeft = c.left1;
    modMain::Player2ButtonsLeft = c.left2;
    EXPECT_EQ(modMain::AllButtonsPlaced(c.player), tk::ToBool16(c.placed))
        << "player " << c.player << " with " << c.left1 << "/" << c.left2 << " left";
    if (c.placed) {
      EXPECT_TRUE(boxes_.empty());
    } else {
      ASSERT_EQ(boxes_.size(), 1u);
      EXPECT_EQ(boxes_[0].text, (c.player == 1 ? "Ann" : "Bob") + std::string("\r") + kPlaceFirst);
      EXPECT_EQ(boxes_[0].style, 48);
      EXPECT_EQ(boxes_[0].title, "Inf");
    }
  }
}

TEST_F(AllButtonsPlaced, PlayerNamesAreReadAtTheMomentOfTheCall) {
  EXPECT_EQ(modMain::GetPlayerName(1), "Player 1");
  EXPECT_EQ(modMain::GetPlayerName(2), "Player 2");

  std::string label1 = "Ann";
  modMain::SetPlayerNameSource([&](int player) { return player == 1 ? label1 : "Bob"; });
  label1 = "Anna";  // a rename after the source was installed
  EXPECT_EQ(modMain::GetPlayerName(1), "Anna");
  EXPECT_EQ(modMain::GetPlayerName(2), "Bob");
  modMain::AllButtonsPlaced(1);
  ASSERT_EQ(boxes_.size(), 1u);
  EXPECT_EQ(boxes_[0].text, "Anna\r" + kPlaceFirst);
}

}  // namespace
