// Names of any length and any characters are shown, stored and read back exactly: the
// store file holds them as typed, and a new game, which reads the store file again,
// brings them back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "main_window_fixture.h"

namespace korvane_test {
namespace {

using NameRoundTripTest = MainWindowTest;

std::vector<std::string> OddNames() {
  std::string very_long;
  for (int i = 0; i < 300; ++i) very_long += "Ωmega-" + std::to_string(i) + " ";
  very_long += "end";
  return {
      "Zoë Ångström-Niño",
      "Дмитрий Шостакович",
      "李小龙",
      "مرحبا",
      "🎲 Dice 🐉 Dragon 👨‍👩‍👧",
      "O'Brien \"The Quick\"",
      "a=b==c",
      "[Players]",
      "]x[",
      "back\\slash\\",
      "\\\\server\\share",
      "100% ; not # a comment",
      "#first",
      ";first",
      "=first",
      "%PATH% $HOME `id`",
      " lead and trail ",
      very_long,
  };
}

TEST_F(NameRoundTripTest, OddNamesAreShownStoredAndReadBackExactly) {
  const std::vector<std::string> names = OddNames();
  for (size_t i = 0; i < names.size(); ++i) {
    const std::string& one = names[i];
    const std::string& two = names[(i + 1) % names.size()];
    SCOPED_TRACE(one);
    Rename(1, one);
    Rename(2, two);
    EXPECT_EQ(f.lblPlayer1->Caption(), one);
    EXPECT_EQ(f.lblPlayer2->Caption(), two);
    EXPECT_EQ(StoredName(1), one);
    EXPECT_EQ(StoredName(2), two);
    EXPECT_EQ(Tray(1, 3).ToolTipText(), one + "'s Buttons");
    EXPECT_EQ(Tray(2, 1).ToolTipText(), two + "'s Buttons");

    // Forget the names in the window; the store file alone brings them back.
    f.lblPlayer1->SetCaption("forgotten");
    f.lblPlayer2->SetCaption("forgotten");
    NewGame();
    EXPECT_EQ(f.lblPlayer1->Caption(), one);
    EXPECT_EQ(f.lblPlayer2->Caption(), two);
  }
  EXPECT_TRUE(boxes.messages.empty());
}

TEST_F(NameRoundTripTest, NewGameWithNothingStoredShowsTheDefaultNames) {
  Rename(1, "Alice");
  Rename(2, "Bob");
  std::filesystem::remove(StoreFile());
  NewGame();
  EXPECT_EQ(f.lblPlayer1->Caption(), "Player 1");
  EXPECT_EQ(f.lblPlayer2->Caption(), "Player 2");
  EXPECT_EQ(Tray(2, 2).ToolTipText(), "Player 2's Buttons");
}

}  // namespace
}  // namespace korvane_test
