#include "main_window_fixture.h"

#include <sys/stat.h>

#include <QTest>
#include <cstdlib>

#include "game_main_window.h"
#include "runtime/key_store.h"
#include "toolkit/ui/surface.h"
#include "ui_driver.h"

namespace korvane_test {
namespace fs = std::filesystem;

namespace {

// Unloads the main window once every test has run, so nothing of it outlives the program.
class UnloadMainWindow : public ::testing::Environment {
 public:
  void TearDown() override {
    if (frmMain::Instance().IsLoaded()) frmMain::Instance().Unload();
  }
};
[[maybe_unused]] const auto* const kUnload =
    ::testing::AddGlobalTestEnvironment(new UnloadMainWindow);

}  // namespace

fs::path StoreFile() {
  const char* p = std::getenv("TOOLKIT_STORE");
  return p != nullptr ? fs::path(p) : fs::path();
}

std::string OwnExeName() {
  return fs::read_symlink("/proc/self/exe").stem().string();
}

std::string OwnExeFolder() {
  return fs::read_symlink("/proc/self/exe").parent_path().string();
}

std::optional<std::string> StoredName(int player) {
  return tk::KeyStore(StoreFile())
      .GetValue("Software\\Program Settings\\" + OwnExeName() + "\\Players",
                "Player" + std::to_string(player));
}

std::string StoreFingerprint() {
  struct stat st {};
  if (stat(StoreFile().c_str(), &st) != 0) return "missing";
  return std::to_string(st.st_ino) + "/" + std::to_string(st.st_mtim.tv_sec) + "." +
         std::to_string(st.st_mtim.tv_nsec) + "/" + std::to_string(st.st_size);
}

void MainWindowTest::SetUp() {
  fs::remove(StoreFile());
  korvane::testing::MainWindow([](frmMain& loaded) {
    tile_tooltips_at_load =
        loaded.imgPlayer1->ToolTipText() + "|" + loaded.imgPlayer2->ToolTipText();
  });
  NewGame();
  boxes.messages.clear();
  boxes.inputs.clear();
}

void MainWindowTest::Rename(int player, std::optional<std::string> answer) {
  boxes.input_answers.push_back(std::move(answer));
  // At the start of the name, which shows whatever its length: a long name runs on
  // beneath the trays.
  tk::Label& name = Name(player);
  tk::ControlSurface& surface = name.Container();
  const QRectF box = surface.RectOf(name);
  const QPoint p(static_cast<int>(box.left()) + 3, static_cast<int>(box.center().y()));
  QTest::mouseClick(&surface, Qt::LeftButton, Qt::NoModifier, p);
}

void MainWindowTest::NewGame() {
  korvane::testing::ChooseNewGame();
}

}  // namespace korvane_test
