// Help > How To Play in the real executable, copied into a folder whose name holds
// spaces and shell metacharacters, with a stand-in default handler first on PATH that
// records what it is given. The menu is played with the keyboard through the X server.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QProcess>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "x_desktop.h"
#include "xdotool.h"

namespace korvane_test {
namespace {

namespace fs = std::filesystem;

constexpr char kRecorder[] = R"(#!/bin/sh
{ pwd; printf '%s\n' "$@"; } > "$XDG_OPEN_RECORD.part"
mv "$XDG_OPEN_RECORD.part" "$XDG_OPEN_RECORD"
)";
constexpr char kMainTitle[] = "^Zudir Iduv - Korvane#2$";

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

class HelpPageX11 : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!HaveXdotool()) GTEST_SKIP() << "no xdotool";
    root_ = fs::path(testing::TempDir()) / ("help-x11-" + std::to_string(getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "bin");
    std::ofstream(root_ / "bin" / "xdg-open") << kRecorder;
    fs::permissions(root_ / "bin" / "xdg-open", fs::perms::owner_all);
    PlaceCopyIn(root_ / "x" / "a b;$(touch pwned)'q`touch pwned2`\"&|*");
  }
  void TearDown() override {
    if (game_.state() != QProcess::NotRunning) {
      game_.kill();
      game_.waitForFinished(10000);
    }
    if (!root_.empty()) fs::remove_all(root_);
  }

  // The game is copied into `folder`, from where the cases start it.
  void PlaceCopyIn(const fs::path& folder) {
    folder_ = folder;
    fs::create_directories(folder_);
    fs::copy_file(KORVANE2_EXE, folder_ / "Korvane2");
  }
  void ShipPage() {
    fs::create_directories(folder_ / "Help");
    fs::copy_file(fs::path(KORVANE2_EXE).parent_path() / "Help" / "korvane2.html", page());
  }
  // Starts the copied game (under the locale named, if any) and chooses Help > How To
  // Play from its menu.
  std::string StartAndChooseHowToPlay(const char* locale = nullptr) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (locale != nullptr) {
      env.insert("LC_ALL", locale);
      env.insert("LANG", locale);
    }
    env.insert("PATH", QString::fromStdString((root_ / "bin").string()) + ":" + env.value("PATH"));
    env.insert("XDG_OPEN_RECORD", QString::fromStdString(record().string()));
    game_.setProcessEnvironment(env);
    game_.setWorkingDirectory(QString::fromStdString(root_.string()));
    game_.setProcessChannelMode(QProcess::ForwardedChannels);
    game_.start(QString::fromStdString((folder_ / "Korvane2").string()), {});
    EXPECT_TRUE(game_.waitForStarted());
    const auto window = WaitForWindow(kMainTitle, game_.processId());
    if (!window) return {};
    EXPECT_TRUE(ChooseFromMenu(*window, "alt+h", "h")) << "the Help menu did not open";
    return *window;
  }
  bool ChooseFromMenu(const std::string& window, const char* menu_key, const char* item_key) {
    if (!x11play::OpenMenu(QString::fromStdString(window), game_.processId(), menu_key))
      return false;
    x11play::Type(item_key);
    return true;
  }
  // Game > Exit; with no game under way the program ends at once.
  void Exit(const std::string& window) {
    EXPECT_TRUE(ChooseFromMenu(window, "alt+g", "x")) << "the Game menu did not open";
    EXPECT_TRUE(game_.waitForFinished(20000));
    EXPECT_EQ(game_.exitStatus(), QProcess::NormalExit);
  }
  fs::path record() const { return root_ / "record"; }
  std::string page() const { return folder_.string() + "/Help/korvane2.html"; }

  fs::path root_, folder_;
  QProcess game_;
};

TEST_F(HelpPageX11, PageBesideTheCopiedProgramReachesTheHandlerByteForByte) {
  ShipPage();
  const std::string window = StartAndChooseHowToPlay();
  ASSERT_FALSE(window.empty());
  ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(record()); }, 20000))
      << "the handler was not started";
  EXPECT_EQ(ReadFile(record()), "/\n" + page() + "\n");
  // The box would have come with the handler; give it a moment all the same.
  EXPECT_FALSE(WaitForWindow("^Error$", game_.processId(), 500));
  Exit(window);
  for (const fs::path& where : {root_, root_ / "x", folder_})
    EXPECT_FALSE(fs::exists(where / "pwned") || fs::exists(where / "pwned2")) << where;
}

// A path is bytes: under the C locale, whose character set cannot spell the folder's name,
// the page is found and handed over all the same.
TEST_F(HelpPageX11, FolderWithANonAsciiNameUnderTheCLocale) {
  PlaceCopyIn(root_ / "caf\xc3\xa9");
  ShipPage();
  const std::string window = StartAndChooseHowToPlay("C");
  ASSERT_FALSE(window.empty());
  ASSERT_TRUE(QTest::qWaitFor([&] { return fs::exists(record()); }, 20000))
      << "the handler was not started";
  EXPECT_EQ(ReadFile(record()), "/\n" + page() + "\n");
  EXPECT_FALSE(WaitForWindow("^Error$", game_.processId(), 500)) << "an error box came too";
  Exit(window);
}

TEST_F(HelpPageX11, MissingPageGivesTheErrorBoxAndTheGameGoesOn) {
  const std::string window = StartAndChooseHowToPlay();
  ASSERT_FALSE(window.empty());
  const auto error = WaitForWindow("^Error$", game_.processId());
  ASSERT_TRUE(error) << "no error box";
  EXPECT_FALSE(fs::exists(record()));
  x11play::KeyInto(QString::fromStdString(*error), "Return");
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return !WaitForWindow("^Error$", game_.processId(), 100); }, 10000))
      << "the error box stayed";
  EXPECT_EQ(game_.state(), QProcess::Running);
  Exit(window);
}

}  // namespace
}  // namespace korvane_test
