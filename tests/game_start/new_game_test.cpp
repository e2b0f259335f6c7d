#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "main_window_fixture.h"
#include "ui_driver.h"

namespace game_start_testing {
namespace {

using tk::testing::Drag;

class NewGame : public MainWindowTest {};

TEST_F(NewGame, RightAfterANewGameItAsksNothing) {
  form.mnuFileNewGame_Click();
  EXPECT_TRUE(boxes.messages.empty());
  EXPECT_EQ(Board(), "000000000");
}

TEST_F(NewGame, AsksOnceEitherCountIsBelowThree) {
  const struct {
    const char* what;
    int left1, left2;
    const char* board;
  } cases[] = {
      {"player 1 has placed one", 2, 3, "000010000"},
      {"player 2 has placed one (player 2 moved first)", 3, 2, "000020000"},
      {"a finished game", 0, 0, "111220200"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    modMain::Player1ButtonsLeft = static_cast<std::uint8_t>(c.left1);
    modMain::Player2ButtonsLeft = static_cast<std::uint8_t>(c.left2);
    SetBoard(c.board);
    boxes.messages.clear();
    boxes.message_answers = {tk::kAnswerNo};
    form.mnuFileNewGame_Click();
    ASSERT_EQ(boxes.messages.size(), 1u);
    EXPECT_TRUE(IsQuitQuestion(boxes.messages[0])) << boxes.messages[0].text;
    EXPECT_EQ(Board(), c.board);
  }
}

TEST_F(NewGame, NoAfterARealPlacementChangesNothingAndYesStartsAgain) {
  Drag(form.Player1sButtonAvailable(1), form.ButtonLocation(5));
  ASSERT_EQ(Board(), "000010000") << "the drag did not place a button";
  const GameSnapshot during = GameSnapshot::Take();
  EXPECT_EQ(during.caption, "Zudir Iduv - Korvane#2 - Player 2's Move");

  boxes.message_answers = {tk::kAnswerNo};
  form.mnuFileNewGame_Click();
  ASSERT_EQ(boxes.messages.size(), 1u);
  EXPECT_TRUE(IsQuitQuestion(boxes.messages[0]));
  EXPECT_EQ(GameSnapshot::Take(), during);

  boxes.message_answers = {tk::kAnswerYes};
  form.mnuFileNewGame_Click();
  EXPECT_EQ(boxes.messages.size(), 2u);
  const GameSnapshot fresh = GameSnapshot::Take();
  EXPECT_EQ(fresh.board, "000000000");
  EXPECT_EQ(fresh.left1, 3);
  EXPECT_EQ(fresh.left2, 3);
  EXPECT_EQ(fresh.turn, tk::kTrue16);
  EXPECT_EQ(fresh.trays, std::vector<bool>(6, true));
  EXPECT_EQ(fresh.pictured_locations, std::vector<bool>(9, false));
  EXPECT_EQ(fresh.caption, during.caption) << "New Game leaves the caption alone";
}

TEST_F(NewGame, CheckBoxWaitsForTheNextNewGame) {
  Drag(form.Player1sButtonAvailable(3), form.ButtonLocation(1));
  ASSERT_EQ(modMain::Player1Turn, tk::kFalse16) << "player 2 to move after the placement";

  form.chkFirtsMovePlayer1->SetValue(0);
  form.chkFirtsMovePlayer1->SetValue(1);
  EXPECT_EQ(modMain::Player1Turn, tk::kFalse16) << "ticking during a game changed the turn";
  Drag(form.Player2sButtonAvailable(1), form.ButtonLocation(9));
  ASSERT_EQ(modMain::Player1Turn, tk::kTrue16);
  form.chkFirtsMovePlayer1->SetValue(0);
  EXPECT_EQ(modMain::Player1Turn, tk::kTrue16) << "clearing during a game changed the turn";

  form.mnuFileNewGame_Click();  // answered Yes
  EXPECT_EQ(modMain::Player1Turn, tk::kFalse16) << "unticked: player 2 moves first";
  Drag(form.Player1sButtonAvailable(1), form.ButtonLocation(5));
  EXPECT_EQ(Board(), "000000000") << "player 1 placed out of turn";
  Drag(form.Player2sButtonAvailable(1), form.ButtonLocation(5));
  EXPECT_EQ(Board(), "000020000");

  // Before the first placement the box takes effect at once.
  form.mnuFileNewGame_Click();
  form.chkFirtsMovePlayer1->SetValue(1);
  EXPECT_EQ(modMain::Player1Turn, tk::kTrue16);
}

TEST_F(NewGame, RereadsBothNamesFromTheStoreWhateverTheirCase) {
  const std::string key = PlayersKey("PLAYERS");
  const struct {
    const char* what;
    std::optional<std::string> stored1, stored2;
    const char* name1;
    const char* name2;
  } cases[] = {
      {"names written under other case", "Ann", "Bob", "Ann", "Bob"},
      {"renamed since the last game", "Annabel", "Bob", "Annabel", "Bob"},
      {"one value gone", std::nullopt, "Bob", "Player 1", "Bob"},
      {"an empty value stays empty", "", std::nullopt, "", "Player 2"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    tk::KeyStore::User().Update([&](tk::StoreTree& t) {
      t.DeleteTree(key);
      if (c.stored1) t.SetValue(key, "player1", *c.stored1);
      if (c.stored2) t.SetValue(key, "PLAYER2", *c.stored2);
    });
    const std::string caption = form.Caption();
    form.mnuFileNewGame_Click();
    EXPECT_EQ(form.lblPlayer1->Caption(), c.name1);
    EXPECT_EQ(form.lblPlayer2->Caption(), c.name2);
    EXPECT_EQ(form.Player2sButtonAvailable(1).ToolTipText(), std::string(c.name2) + "'s Buttons");
    EXPECT_EQ(form.Caption(), caption);
  }
  EXPECT_TRUE(boxes.messages.empty());
}

}  // namespace
}  // namespace game_start_testing
