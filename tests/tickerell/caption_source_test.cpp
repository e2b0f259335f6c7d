// Where the lines come from: a file in the current folder, then one beside the control
// library, else the caption itself; and how a file becomes entries.
#include "caption_source.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

#include "fifo_watchdog.h"
#include "runtime/app_info.h"
#include "runtime/text_file.h"
#include "tickerell_test_support.h"

namespace tickerell {
namespace {

namespace fs = std::filesystem;
using testing::BoxRecorder;
using testing::Fmt;
using testing::kForeColor;
using testing::ReadyInstance;
using testing::TempFolder;

std::vector<std::string> Texts(const TickerellState& s) {
  std::vector<std::string> texts;
  for (const BufferLine& line : testing::Lines(s)) texts.push_back(line.Text);
  return texts;
}

// Runs in a folder of its own, with another folder standing in for the library's.
class CaptionFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    previous_ = fs::current_path();
    fs::current_path(current.path());
    SetLibraryFolderForTesting(library.path().string());
  }
  void TearDown() override {
    fs::current_path(previous_);
    SetLibraryFolderForTesting("");
    SetBeforeReadHookForTesting(nullptr);
  }

  TempFolder current{"tickerell-current"};
  TempFolder library{"tickerell-library"};
  BoxRecorder boxes;

 private:
  fs::path previous_;
};

TEST_F(CaptionFileTest, CurrentFolderFirstThenLibraryFolderThenTheCaptionItself) {
  current.Write("credits", "from the current folder\r\n");
  library.Write("credits", "Title<F.BOLD>\r\nOne;Two\r\n");
  TickerellState s = ReadyInstance("credits");
  s.SetupMainBufferLines();
  EXPECT_EQ(Texts(s), (std::vector<std::string>{"from the current folder", ""}));

  fs::remove(current.path() / "credits");
  s.SetupMainBufferLines();
  EXPECT_EQ(testing::Lines(s), (std::vector<BufferLine>{{"Title", Fmt().Bold(), kForeColor},
                                                        {"One", Fmt(), kForeColor},
                                                        {"Two", Fmt(), kForeColor},
                                                        {"", Fmt(), 0}}));

  fs::remove(library.path() / "credits");
  s.SetupMainBufferLines();
  EXPECT_EQ(Texts(s), (std::vector<std::string>{"credits"}));

  // An absolute name is found as it stands.
  s.m_Caption = current.Write("elsewhere", "x");
  s.SetupMainBufferLines();
  EXPECT_EQ(Texts(s), (std::vector<std::string>{"x", ""}));
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(CaptionFileTest, EveryFileLineIsAnEntryAndEachCallReadsTheFileAgain) {
  const std::string path = current.Write("lines", "a\rb;c\nd");
  TickerellState s = ReadyInstance(path);
  s.SetupMainBufferLines();
  EXPECT_EQ(Texts(s), (std::vector<std::string>{"a", "b", "c", "d", ""}));
  EXPECT_EQ(s.LineBuffer[5].Color, 0);

  current.Write("lines", "changed");
  s.m_ForeColor = 255;
  s.SetupMainBufferLines();
  EXPECT_EQ(testing::Lines(s), (std::vector<BufferLine>{{"changed", Fmt(), 255}, {"", Fmt(), 0}}));

  current.Write("lines", "");
  s.SetupMainBufferLines();
  EXPECT_EQ(s.LineCount, 0);
}

TEST_F(CaptionFileTest, FileDeletedBetweenLookUpAndOpenShowsOneBoxAndEmptiesTheBuffer) {
  const std::string path = library.Write("credits", "one;two");
  TickerellState s = ReadyInstance("credits");
  s.SetupMainBufferLines();
  ASSERT_EQ(s.LineCount, 3);

  int lines_during_read = -1;
  SetBeforeReadHookForTesting([&](const std::string& found) {
    EXPECT_EQ(found, path);
    lines_during_read = s.LineCount;  // the old lines stay until the source is read
    fs::remove(found);
  });
  const int free_file = tk::FreeFile();
  EXPECT_NO_THROW(s.SetupMainBufferLines());
  EXPECT_EQ(lines_during_read, 3);
  EXPECT_EQ(s.LineCount, 0);
  EXPECT_EQ(tk::FreeFile(), free_file);  // nothing left open
  ASSERT_EQ(boxes.boxes.size(), 1u);
  EXPECT_EQ(boxes.boxes[0].text, "File " + path + "\rNot Found");
  EXPECT_EQ(boxes.boxes[0].style, 16);
  EXPECT_EQ(boxes.boxes[0].title, "prjTickerell");
}

TEST_F(CaptionFileTest, AFifoPutInPlaceOfTheFileAfterTheLookUpIsNotWaitedOn) {
  const std::string path = library.Write("credits", "one;two");
  TickerellState s = ReadyInstance("credits");
  s.SetupMainBufferLines();
  ASSERT_EQ(s.LineCount, 3);

  std::optional<tk::testing::Fifo> fifo;
  SetBeforeReadHookForTesting([&](const std::string& found) { fifo.emplace(found); });
  int error = -1;
  EXPECT_TRUE(tk::testing::ReturnsWithoutWaiting(
      path, [&] { error = testing::ErrorOf([&] { s.SetupMainBufferLines(); }); }));
  EXPECT_EQ(error, 0);
  EXPECT_EQ(s.LineCount, 0);  // a file that cannot be read gives no entries
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(CaptionFileTest, OnlyNormalFilesCountAndBadNamesAreNoFile) {
  fs::create_directory(current.path() / "folder");
  current.Write(".hidden", "secret");
  current.Write("plain", "x");
  EXPECT_TRUE(FileExists("plain"));
  for (const std::string& name :
       std::vector<std::string>{"folder", ".hidden", "", "   ", "plain ", "Credits<F.BOLD>",
                                std::string("pl\0ain", 6), std::string(5000, 'n')}) {
    EXPECT_FALSE(FileExists(name)) << name;
    TickerellState s = ReadyInstance(name);
    EXPECT_EQ(testing::ErrorOf([&] { s.SetupMainBufferLines(); }), 0) << name;
  }
  EXPECT_TRUE(boxes.boxes.empty());
}

TEST(LibraryFolder, IsTheFolderOfTheModuleHoldingTheParser) {
  // Linked statically, the parser lives in the test program itself.
  EXPECT_EQ(LibraryFolder(), tk::ExeFolder());

  TempFolder current("tickerell-elsewhere");
  const fs::path previous = fs::current_path();
  fs::current_path(current.path());
  const std::string name = "tickerell-beside-" + std::to_string(::getpid()) + ".txt";
  const fs::path beside = fs::path(tk::ExeFolder()) / name;
  { std::ofstream(beside) << "beside the module"; }
  TickerellState s = ReadyInstance(name);
  s.SetupMainBufferLines();
  fs::remove(beside);
  fs::current_path(previous);
  EXPECT_EQ(Texts(s), (std::vector<std::string>{"beside the module", ""}));
}

}  // namespace
}  // namespace tickerell
