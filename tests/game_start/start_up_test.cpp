#include <gtest/gtest.h>

#include <QTest>
#include <array>
#include <cstdint>

#include "main_window_fixture.h"
#include "toolkit/ui/application.h"
#include "user32/user32.h"

namespace game_start_testing {
namespace {

using KeyTable = std::array<std::uint8_t, 256>;

TEST(StartUp, ShowsAFreshGameWithoutAskingAndSwitchesNumLockOn) {
  tk::testing::BoxRecorder boxes;
  frmMain& form = frmMain::Instance();
  if (form.IsLoaded()) form.Unload();
  // Whatever the module state holds before, start-up begins a game of its own; one name is
  // stored, the other falls back to its default.
  modMain::Player1ButtonsLeft = 1;
  modMain::Player2ButtonsLeft = 0;
  modMain::Player1Turn = tk::kFalse16;
  SetBoard("120000021");
  ForgetStoredNames();
  tk::KeyStore::User().SetValue(PlayersKey(), "Player1", "Ann");
  KeyTable keys{};
  keys[144] = 0x80;  // Num Lock held down, not toggled
  keys[20] = 0x81;   // Caps Lock down and toggled: must survive
  ASSERT_NE(user32::SetKeyboardState(keys.data()), 0);

  modMain::Main();

  EXPECT_TRUE(boxes.messages.empty()) << boxes.messages.front().text;
  ASSERT_TRUE(form.IsLoaded());
  EXPECT_EQ(tk::LoadedWindowCount(), 1);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(form.Window()));
  EXPECT_EQ(modMain::DebugMode, tk::kFalse16);
  EXPECT_EQ(Board(), "000000000");
  EXPECT_EQ(modMain::Player1ButtonsLeft, 3);
  EXPECT_EQ(modMain::Player2ButtonsLeft, 3);
  EXPECT_EQ(modMain::Player1Turn, tk::kTrue16) << "the box is ticked at design";
  EXPECT_EQ(form.lblPlayer1->Caption(), "Ann");
  EXPECT_EQ(form.lblPlayer2->Caption(), "Player 2");
  EXPECT_EQ(form.Caption(), "Zudir Iduv - Korvane#2");
  EXPECT_EQ(form.Window()->windowTitle().toStdString(), "Zudir Iduv - Korvane#2");

  KeyTable after{};
  ASSERT_NE(user32::GetKeyboardState(after.data()), 0);
  EXPECT_EQ(after[144], 0x01) << "toggled on and no longer down";
  EXPECT_EQ(after[20], 0x81);
}

}  // namespace
}  // namespace game_start_testing
