// Renaming a player by clicking his name: the input box, the answers that change nothing,
// the name taken as typed and written to the store, and a store that cannot be written.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

#include <QApplication>
#include <QInputDialog>
#include <QTimer>
#include <filesystem>
#include <fstream>

#include "main_window_fixture.h"
#include "modMain.h"
#include "runtime/key_store.h"
#include "runtime/prompts.h"
#include "toolkit/ui/qt_boxes.h"
#include "ui_driver.h"

namespace korvane_test {
namespace {

namespace fs = std::filesystem;

using RenameTest = MainWindowTest;

TEST_F(RenameTest, AsksWithThePlayersPromptTitleAndCurrentName) {
  for (int player : {1, 2}) {
    SCOPED_TRACE(player);
    const std::string n = std::to_string(player);
    Rename(player, "Someone " + n);
    Rename(player, std::nullopt);
    ASSERT_EQ(boxes.inputs.size(), 2u);
    EXPECT_EQ(boxes.inputs[0].prompt, "Enter Player " + n + "'s Name Here : ");
    EXPECT_EQ(boxes.inputs[0].title, "Player " + n + "'s Name");
    EXPECT_EQ(boxes.inputs[0].default_text, "Player " + n);
    EXPECT_EQ(boxes.inputs[1].default_text, "Someone " + n) << "the current name is offered";
    EXPECT_TRUE(boxes.messages.empty());
    boxes.inputs.clear();
  }
}

TEST_F(RenameTest, CancelEmptyOrSpacesOnlyChangeAndWriteNothing) {
  Rename(1, "Alice");
  Rename(2, "Bob");
  const std::string fingerprint = StoreFingerprint();
  ASSERT_EQ(StoredName(1), "Alice");
  const double tile_width = Tile(1).Width();

  const std::optional<std::string> answers[] = {std::nullopt, "", " ", "      "};
  for (int player : {1, 2}) {
    for (const auto& answer : answers) {
      SCOPED_TRACE(answer ? "\"" + *answer + "\"" : "Cancel");
      Rename(player, answer);
      EXPECT_EQ(f.lblPlayer1->Caption(), "Alice");
      EXPECT_EQ(f.lblPlayer2->Caption(), "Bob");
      EXPECT_EQ(Tile(1).Width(), tile_width);
      EXPECT_EQ(Tile(2).Width(), tile_width);
      EXPECT_EQ(Tray(1, 2).ToolTipText(), "Alice's Buttons");
      EXPECT_EQ(Tray(2, 3).ToolTipText(), "Bob's Buttons");
      EXPECT_EQ(StoreFingerprint(), fingerprint) << "the store was written";
    }
  }
  EXPECT_TRUE(boxes.messages.empty());
}

TEST_F(RenameTest, SpacesAtTheEndsAreKept) {
  Rename(1, "  Ann Lee ");
  Rename(2, "\tTabbed\t");  // only spaces count as blank
  EXPECT_EQ(f.lblPlayer1->Caption(), "  Ann Lee ");
  EXPECT_EQ(StoredName(1), "  Ann Lee ");
  EXPECT_EQ(f.lblPlayer2->Caption(), "\tTabbed\t");
  EXPECT_EQ(StoredName(2), "\tTabbed\t");
}

TEST_F(RenameTest, ConfirmingTheUnchangedNameWritesItAgain) {
  Rename(2, "Bob");
  // Take the value out behind the program's back: only a fresh write brings it back.
  tk::KeyStore(StoreFile()).Update([](tk::StoreTree& t) {
    t.DeleteValue("Software\\Program Settings\\" + OwnExeName() + "\\Players", "Player2");
  });
  ASSERT_EQ(StoredName(2), std::nullopt);
  Rename(2, "Bob");
  EXPECT_EQ(boxes.inputs.back().default_text, "Bob");
  EXPECT_EQ(StoredName(2), "Bob");

  // The default name, never stored before, is written too.
  ASSERT_EQ(StoredName(1), std::nullopt);
  Rename(1, "Player 1");
  EXPECT_EQ(StoredName(1), "Player 1");
}

// Through the real input box: a stored name longer than an edit line holds by default is
// offered whole, and confirming it unchanged stores it unchanged.
TEST_F(RenameTest, AVeryLongStoredNameConfirmedUnchangedIsStoredWhole) {
  std::string name;
  while (name.size() < 40000) name += "Player " + std::to_string(name.size()) + " ";
  name.resize(40000);
  tk::KeyStore(StoreFile())
      .SetValue("Software\\Program Settings\\" + OwnExeName() + "\\Players", "Player1", name);
  NewGame();
  ASSERT_TRUE(f.lblPlayer1->Caption() == name);

  const tk::Prompter recorder = tk::InstallPrompter({});
  tk::InstallQtBoxes();
  qsizetype offered = 0;
  QTimer answer;
  QObject::connect(&answer, &QTimer::timeout, [&] {
    auto* box = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    answer.stop();
    offered = box->textValue().size();
    box->accept();
  });
  answer.start(10);
  tk::testing::Click(*f.lblPlayer1);
  tk::InstallPrompter(recorder);
  // Compared whole, but reported by length: the texts are too long to print.
  EXPECT_EQ(offered, 40000);
  EXPECT_TRUE(f.lblPlayer1->Caption() == name) << f.lblPlayer1->Caption().size() << " shown";
  const std::optional<std::string> stored = StoredName(1);
  EXPECT_TRUE(stored == name) << (stored ? stored->size() : 0) << " stored";
}

TEST_F(RenameTest, DuringAGameTouchesNeitherTheGameNorTheCaption) {
  tk::testing::Drag(f.Player1sButtonAvailable(1), f.ButtonLocation(5));
  ASSERT_EQ(int(modMain::GameMatrix(2, 2)), 1);
  const std::string caption = f.Caption();
  ASSERT_EQ(caption, "Zudir Iduv - Korvane#2 - Player 2's Move");
  const std::string board = f.Label1->Caption();

  Rename(2, "Bob");
  Rename(1, "Alice");
  EXPECT_EQ(f.Caption(), caption) << "the caption waits for the next move";
  EXPECT_EQ(int(modMain::GameMatrix(2, 2)), 1);
  EXPECT_EQ(int(modMain::Player1ButtonsLeft), 2);
  EXPECT_EQ(int(modMain::Player2ButtonsLeft), 3);
  EXPECT_EQ(int(modMain::Player1Turn), int(tk::kFalse16));
  EXPECT_EQ(f.Label1->Caption(), board);

  // The next move names the player by his new name.
  tk::testing::Drag(f.Player2sButtonAvailable(1), f.ButtonLocation(1));
  EXPECT_EQ(f.Caption(), "Zudir Iduv - Korvane#2 - Alice's Move");
  EXPECT_TRUE(boxes.messages.empty());
}

// A store that cannot be written: the rename shows for this run, with no box, and the
// next new game shows what the store holds, at once even while another holds its lock.
TEST_F(RenameTest, UnwritableStoreKeepsTheRenameForThisRunOnly) {
  const fs::path root =
      fs::path(testing::TempDir()) / ("unwritable-store-" + std::to_string(getpid()));
  fs::remove_all(root);
  fs::create_directories(root);
  const std::string saved_store = StoreFile();

  struct Case {
    const char* what;
    fs::path store;
    std::string after_new_game;  // player 1's name once the store is read again
  };
  // A folder path that is a file: nothing can be read or written there.
  std::ofstream(root / "a-file") << "not a folder";
  // A store that reads but cannot take its write lock: the stored name comes back.
  const fs::path locked = root / "locked" / "user.store";
  fs::create_directories(locked.parent_path());
  tk::KeyStore(locked).SetValue("Software\\Program Settings\\" + OwnExeName() + "\\Players",
                                "Player1", "Kept");
  fs::remove(locked.string() + ".lock");
  fs::create_directory(locked.string() + ".lock");
  // A store whose lock another program keeps: the save gives up after a short wait.
  const fs::path held = root / "held" / "user.store";
  fs::create_directories(held.parent_path());
  tk::KeyStore(held).SetValue("Software\\Program Settings\\" + OwnExeName() + "\\Players",
                              "Player1", "Kept");
  const int held_lock = open((held.string() + ".lock").c_str(), O_RDWR | O_CLOEXEC);
  ASSERT_EQ(flock(held_lock, LOCK_EX | LOCK_NB), 0);
  std::vector<Case> cases = {{"folder is a file", root / "a-file" / "user.store", "Player 1"},
                             {"lock cannot be taken", locked, "Kept"},
                             {"lock held by another program", held, "Kept"}};
  if (geteuid() != 0) {  // the superuser writes into read-only folders
    const fs::path read_only = root / "read-only";
    fs::create_directory(read_only);
    fs::permissions(read_only, fs::perms::owner_read | fs::perms::owner_exec);
    cases.push_back({"read-only folder", read_only / "user.store", "Player 1"});
  }

  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    setenv("TOOLKIT_STORE", c.store.c_str(), 1);
    NewGame();
    Rename(1, "Renamed");
    EXPECT_EQ(f.lblPlayer1->Caption(), "Renamed");
    EXPECT_EQ(Tray(1, 1).ToolTipText(), "Renamed's Buttons");
    EXPECT_TRUE(boxes.messages.empty());
    NewGame();
    EXPECT_EQ(f.lblPlayer1->Caption(), c.after_new_game);
  }
  close(held_lock);
  setenv("TOOLKIT_STORE", saved_store.c_str(), 1);
  fs::permissions(root, fs::perms::owner_all, fs::perm_options::add);
  for (const auto& e : fs::recursive_directory_iterator(root))
    fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add);
  fs::remove_all(root);
}

}  // namespace
}  // namespace korvane_test
