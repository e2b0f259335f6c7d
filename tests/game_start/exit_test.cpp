#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTimer>

#include "main_window_fixture.h"
#include "toolkit/ui/application.h"
#include "ui_driver.h"

namespace game_start_testing {
namespace {

using tk::testing::Drag;

class Exit : public MainWindowTest {
 protected:
  // Runs the program's message loop with `action` as its first event; true when the loop
  // ended by itself (the last window went) rather than by the safety stop.
  static bool LoopEndsAfter(const std::function<void()>& action) {
    QTimer::singleShot(0, action);
    QTimer stop;
    stop.setSingleShot(true);
    QObject::connect(&stop, &QTimer::timeout, [] { QCoreApplication::exit(99); });
    stop.start(5000);
    return tk::RunMessageLoop() == 0;
  }
};

TEST_F(Exit, NoToTheQuestionChangesNothing) {
  Drag(form.Player1sButtonAvailable(2), form.ButtonLocation(3));
  Drag(form.Player2sButtonAvailable(1), form.ButtonLocation(7));
  ASSERT_EQ(Board(), "001000200");
  const GameSnapshot during = GameSnapshot::Take();

  boxes.message_answers = {tk::kAnswerNo};
  form.mnuFileExit_Click();

  ASSERT_EQ(boxes.messages.size(), 1u);
  EXPECT_TRUE(IsQuitQuestion(boxes.messages[0])) << "Exit asks New Game's own question";
  EXPECT_TRUE(form.IsLoaded());
  EXPECT_TRUE(form.Window()->isVisible());
  EXPECT_EQ(GameSnapshot::Take(), during);
}

TEST_F(Exit, YesUnloadsTheWindowAndEndsTheProgram) {
  Drag(form.Player1sButtonAvailable(1), form.ButtonLocation(2));
  boxes.message_answers = {tk::kAnswerYes};
  EXPECT_TRUE(LoopEndsAfter([this] { form.mnuFileExit_Click(); }));
  ASSERT_EQ(boxes.messages.size(), 1u);
  EXPECT_TRUE(IsQuitQuestion(boxes.messages[0]));
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_EQ(tk::LoadedWindowCount(), 0);
}

TEST_F(Exit, AfterANewGameItEndsWithoutAsking) {
  EXPECT_TRUE(LoopEndsAfter([this] { form.mnuFileExit_Click(); }));
  EXPECT_TRUE(boxes.messages.empty());
  EXPECT_EQ(tk::LoadedWindowCount(), 0);
}

TEST_F(Exit, CloseBoxEndsTheProgramWithoutAskingEvenMidGame) {
  Drag(form.Player1sButtonAvailable(1), form.ButtonLocation(5));
  ASSERT_EQ(modMain::Player1ButtonsLeft, 2);
  boxes.message_answers = {tk::kAnswerNo};  // would keep the game, were it asked
  EXPECT_TRUE(LoopEndsAfter([this] { form.Window()->close(); }));
  EXPECT_TRUE(boxes.messages.empty());
  EXPECT_FALSE(form.IsLoaded());
  EXPECT_EQ(tk::LoadedWindowCount(), 0);
}

}  // namespace
}  // namespace game_start_testing
