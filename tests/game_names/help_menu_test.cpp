// Help > How To Play hands the help page beside the program to the desktop's default
// handler (here a stand-in xdg-open that records what it was given) and does not wait for
// it; a page that cannot be opened gives the error box. Help > Keyboard Configuration
// does nothing.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QProcess>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "main_window_fixture.h"

namespace korvane_test {
namespace {

namespace fs = std::filesystem;

// Waits for $XDG_OPEN_GO to exist (if named), then records its working folder and
// arguments, one per line.
constexpr char kRecorder[] = R"(#!/bin/sh
if [ -n "$XDG_OPEN_GO" ]; then
  i=0; while [ ! -e "$XDG_OPEN_GO" ] && [ $i -lt 600 ]; do sleep 0.05; i=$((i+1)); done
fi
{ pwd; printf '%s\n' "$@"; } > "$XDG_OPEN_RECORD.part"
mv "$XDG_OPEN_RECORD.part" "$XDG_OPEN_RECORD"
)";

std::string ReadFile(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

bool WaitFor(const fs::path& p) {
  for (int i = 0; i < 1000 && !fs::exists(p); ++i)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  return fs::exists(p);
}

constexpr char kChildReport[] = "KORVANE_HELP_CHILD_REPORT";

// A scratch folder with the recorder first on PATH; puts PATH back afterwards. A copy of
// this program run by HelpFromAnOddFolder uses its parent's recorder instead.
class HelpMenuTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    if (std::getenv(kChildReport) != nullptr) return;
    root_ = fs::path(testing::TempDir()) / ("help-menu-" + std::to_string(getpid()));
    fs::remove_all(root_);
    fs::create_directories(root_ / "bin");
    std::ofstream(root_ / "bin" / "xdg-open") << kRecorder;
    fs::permissions(root_ / "bin" / "xdg-open", fs::perms::owner_all);
    old_path_ = std::getenv("PATH");
    setenv("PATH", ((root_ / "bin").string() + ":" + old_path_).c_str(), 1);
    setenv("XDG_OPEN_RECORD", record().c_str(), 1);
  }
  void TearDown() override {
    if (root_.empty()) return;
    setenv("PATH", old_path_.c_str(), 1);
    unsetenv("XDG_OPEN_RECORD");
    unsetenv("XDG_OPEN_GO");
    fs::remove_all(root_);
  }
  fs::path record() const { return root_ / "record"; }
  void HowToPlay() { f.FindMenu("mnuHelpHowToPlay")->Action()->trigger(); }

  fs::path root_;
  std::string old_path_;
};

TEST_F(HelpMenuTest, OpensThePageBesideTheProgramWithoutWaiting) {
  const std::string page = OwnExeFolder() + "/Help/korvane2.html";
  ASSERT_TRUE(fs::exists(page)) << "the help page ships beside the executable";
  const fs::path go = root_ / "go";
  setenv("XDG_OPEN_GO", go.c_str(), 1);

  HowToPlay();
  // The handler is still waiting for the go-ahead, yet the command has returned.
  EXPECT_FALSE(fs::exists(record()));
  std::ofstream(go) << "";
  ASSERT_TRUE(WaitFor(record()));
  EXPECT_EQ(ReadFile(record()), "/\n" + page + "\n") << "run in \"/\" with the page alone";
  EXPECT_TRUE(boxes.messages.empty());
}

TEST_F(HelpMenuTest, NoHandlerGivesTheErrorBoxWithThePath) {
  setenv("PATH", "/nonexistent", 1);  // no xdg-open anywhere: the shell cannot open it
  HowToPlay();
  ASSERT_EQ(boxes.messages.size(), 1u);
  EXPECT_EQ(boxes.messages[0].text, "Error in Opening " + OwnExeFolder() + "/Help/korvane2.html");
  EXPECT_EQ(boxes.messages[0].style, 16);
  EXPECT_EQ(boxes.messages[0].title, "Error");
  EXPECT_TRUE(f.Window()->isVisible());
}

// The program's folder cannot be changed from inside: a copy of this test program runs
// from another folder and reports its boxes through a file.

TEST_F(HelpMenuTest, ChildRun) {
  const char* report = std::getenv(kChildReport);
  if (report == nullptr) GTEST_SKIP() << "run by the tests below only";
  HowToPlay();
  std::ofstream out(report);
  out << OwnExeFolder() << '\n' << boxes.messages.size() << '\n';
  for (const auto& m : boxes.messages) out << m.text << '\n' << m.style << '\n' << m.title << '\n';
}

class HelpFromAnotherFolder : public HelpMenuTest {
 protected:
  // Runs a copy of this program placed in `folder`, under the locale named (none: the
  // inherited one), through How To Play; what the copy reported.
  std::string RunCopyIn(const fs::path& folder, const char* locale = nullptr) {
    const fs::path copy = folder / fs::read_symlink("/proc/self/exe").filename();
    if (!fs::exists(copy)) {
      fs::create_directories(folder);
      fs::copy_file("/proc/self/exe", copy);
    }
    // Started through a link of a plain name, as a folder name need not be text; the
    // copy still finds itself, and its page, under its real folder.
    const fs::path link = root_ / "copy-link";
    fs::remove(link);
    fs::create_symlink(copy, link);
    const fs::path child_report = root_ / "child-report";
    fs::remove(child_report);
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(kChildReport, QString::fromStdString(child_report.string()));
    if (locale != nullptr) {
      env.insert("LC_ALL", locale);
      env.insert("LANG", locale);
    }
    child.setProcessEnvironment(env);
    child.setWorkingDirectory(QString::fromStdString(root_.string()));
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QString::fromStdString(link.string()), {"--gtest_filter=HelpMenuTest.ChildRun"});
    EXPECT_TRUE(child.waitForFinished(120000));
    EXPECT_EQ(child.exitCode(), 0);
    return ReadFile(child_report);
  }
  void ShipPageIn(const fs::path& folder) {
    fs::create_directories(folder / "Help");
    fs::copy_file(OwnExeFolder() + "/Help/korvane2.html", folder / "Help" / "korvane2.html");
  }
};

// A folder whose name holds spaces and shell metacharacters, once without the help page
// there and once with it.
TEST_F(HelpFromAnotherFolder, WithShellMetacharactersInItsName) {
  if (std::getenv(kChildReport) != nullptr) GTEST_SKIP();
  const fs::path folder = root_ / "x" / "a b;$(touch pwned)'q`touch pwned2`\"&|*";

  // Without the page: the shell refuses, and the box names the path it was given.
  const std::string page = folder.string() + "/Help/korvane2.html";
  EXPECT_EQ(RunCopyIn(folder), folder.string() + "\n1\nError in Opening " + page + "\n16\nError\n");
  EXPECT_FALSE(fs::exists(record()));

  // With the page: it reaches the handler as one argument, byte for byte.
  ShipPageIn(folder);
  EXPECT_EQ(RunCopyIn(folder), folder.string() + "\n0\n");
  ASSERT_TRUE(WaitFor(record()));
  EXPECT_EQ(ReadFile(record()), "/\n" + page + "\n");

  for (const fs::path& where : {root_, folder, root_ / "x", fs::path("/")}) {
    EXPECT_FALSE(fs::exists(where / "pwned")) << where;
    EXPECT_FALSE(fs::exists(where / "pwned2")) << where;
  }
}

// A path is bytes: a folder name that the locale's character set cannot spell still
// names the page, and the handler gets exactly those bytes.
TEST_F(HelpFromAnotherFolder, WhoseNameTheLocaleCannotSpell) {
  if (std::getenv(kChildReport) != nullptr) GTEST_SKIP();
  const struct {
    const char* what;
    const char* name;
    const char* locale;
  } cases[] = {
      {"UTF-8 name under the C locale", "caf\xc3\xa9", "C"},
      {"Latin-1 name under a UTF-8 locale", "caf\xe9", "C.UTF-8"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const fs::path folder = root_ / c.name;
    ShipPageIn(folder);
    fs::remove(record());
    EXPECT_EQ(RunCopyIn(folder, c.locale), folder.string() + "\n0\n") << "an error box";
    EXPECT_TRUE(WaitFor(record())) << "the handler was not started";
    EXPECT_EQ(ReadFile(record()), "/\n" + folder.string() + "/Help/korvane2.html\n");
  }
}

TEST_F(HelpMenuTest, KeyboardConfigurationIsUnavailableAndDoesNothing) {
  tk::MenuItem* item = f.FindMenu("mnuHelpKeyBoardConfiguration");
  ASSERT_NE(item, nullptr);
  EXPECT_FALSE(item->Enabled());
  const auto windows = QApplication::topLevelWidgets();
  item->Action()->trigger();  // a disabled item cannot be chosen
  f.mnuHelpKeyBoardConfiguration_Click();
  QApplication::processEvents();
  EXPECT_EQ(QApplication::topLevelWidgets(), windows);
  EXPECT_TRUE(boxes.messages.empty());
  EXPECT_FALSE(fs::exists(record()));
}

}  // namespace
}  // namespace korvane_test
