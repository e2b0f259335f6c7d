// When the caption control cannot be created, Help > About tells the player what is
// missing in the untrapped-error box, leaves no About window behind, and the game goes on.
#include <QApplication>
#include <filesystem>

#include "about_fixture.h"
#include "modMain.h"
#include "toolkit/ui/application.h"
#include "ui_driver.h"

namespace about_test {
namespace {
namespace fs = std::filesystem;

class CannotCreateTest : public AboutWindowTest {
 protected:
  // Help > About, then what the player was told.
  void ExpectToldAbout(const std::string& missing) {
    ChooseAbout([&] { ADD_FAILURE() << "the About window opened"; });
    ASSERT_EQ(boxes.messages.size(), 1u);
    const tk::MessageBoxRequest& box = boxes.messages[0];
    EXPECT_EQ(box.style, tk::kCritical);
    EXPECT_EQ(box.text.rfind("Run-time error '429':\r\r", 0), 0u) << box.text;
    EXPECT_NE(box.text.find("ActiveX component can't create object"), std::string::npos)
        << box.text;
    EXPECT_NE(box.text.find(missing), std::string::npos) << box.text;

    EXPECT_FALSE(credits.IsLoaded());
    EXPECT_EQ(credits.Window(), nullptr);
    for (QWidget* w : QApplication::topLevelWidgets())
      EXPECT_FALSE(w->isVisible() && w->windowTitle() == "Credits");
    EXPECT_EQ(tk::LoadedWindowCount(), 1);
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
    ExpectGameGoesOn();
  }

  // The main window is still there and takes a move of the player whose turn it is.
  void ExpectGameGoesOn() {
    ASSERT_TRUE(main.IsLoaded());
    EXPECT_TRUE(main.Window()->isVisible());
    const bool player1 = modMain::Player1Turn != tk::kFalse16;
    tk::testing::Drag(player1 ? main.Player1sButtonAvailable(1) : main.Player2sButtonAvailable(1),
                      main.ButtonLocation(5));
    EXPECT_EQ(boxes.messages.size(), 1u) << "the move was refused";
    EXPECT_EQ(player1 ? modMain::Player1ButtonsLeft : modMain::Player2ButtonsLeft, 2);
    EXPECT_EQ(main.Caption(),
              std::string("Zudir Iduv - Korvane#2 - Player ") + (player1 ? "2" : "1") + "'s Move");
  }
};

TEST_F(CannotCreateTest, NotRegisteredNamesTheClass) {
  setenv("TOOLKIT_MACHINE_STORE", (fs::current_path() / "no-machine.store").c_str(), 1);
  ExpectToldAbout(kClassId);

  // Registered again, the same command opens the window.
  unsetenv("TOOLKIT_MACHINE_STORE");
  boxes.messages.clear();
  bool opened = false;
  ChooseAbout([&] { opened = true; });
  EXPECT_TRUE(opened);
  EXPECT_TRUE(boxes.messages.empty());
}

TEST_F(CannotCreateTest, MissingModuleFileNamesTheFile) {
  const fs::path copy = fs::current_path() / "gone" / "tickctl.so";
  ASSERT_TRUE(RegisterModuleCopy(copy.string()));
  fs::remove(copy);
  ExpectToldAbout(copy.string());
  fs::remove_all(copy.parent_path());
}

// A module cut short (an interrupted copy, a full disk) is refused before it is loaded:
// the player is told it could not be loaded, and the game in progress goes on.
TEST_F(CannotCreateTest, ACutShortModuleIsRefusedAndTheGameGoesOn) {
  const fs::path copy = fs::current_path() / "cut" / "tickctl.so";
  ASSERT_TRUE(RegisterModuleCopy(copy.string()));
  fs::resize_file(copy, 4096);
  ExpectToldAbout("module file '" + copy.string() + "' could not be loaded: " + copy.string() +
                  ": the file is cut short at byte 4096");
  fs::remove_all(copy.parent_path());
}

}  // namespace
}  // namespace about_test
