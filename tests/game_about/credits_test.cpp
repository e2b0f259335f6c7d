// Which credits the control shows: the file "script" that ships beside the control's
// module, unless the current folder holds one of that name; with neither, the word
// script itself. The line buffer is read in place, through the class's declaration.
#include <filesystem>
#include <fstream>

#include "about_fixture.h"
#include "com/activation.h"
#include "tickerell.h"
#include "toolkit/ui/qt_pictures.h"

namespace about_test {
namespace {
namespace fs = std::filesystem;

const tickerell::TickerellState& ControlState(const frmCredits& credits) {
  return static_cast<const tickerell::Tickerell*>(credits.Tickerell1->Instance())->State();
}

const tickerell::BufferLine* FindLine(const tickerell::TickerellState& s, const std::string& text) {
  for (int i = 1; i <= s.LineCount; ++i)
    if (s.LineBuffer[i].Text == text) return &s.LineBuffer[i];
  return nullptr;
}

constexpr tickerell::OleColor kRed = 255;
constexpr tickerell::OleColor kNavy = 8388608;

TEST_F(AboutWindowTest, CreditsComeFromTheScriptShippedBesideTheControl) {
  ChooseAbout([&] {
    const tickerell::TickerellState& s = ControlState(credits);
    ASSERT_GT(s.LineCount, 10) << "the shipped credits, not the word script";
    EXPECT_EQ(FindLine(s, "script"), nullptr);

    const tickerell::BufferLine& title = s.LineBuffer[1];
    EXPECT_EQ(title.Text, "Zudir Iduv - Korvane#2");
    EXPECT_EQ(title.Color, kRed);
    EXPECT_NE(title.Format.Bold, tk::kFalse16);
    EXPECT_EQ(title.Format.Size, 14);

    for (const char* heading : {"The game", "The caption control", "Built with", "Made by"}) {
      const tickerell::BufferLine* line = FindLine(s, heading);
      ASSERT_NE(line, nullptr) << heading;
      EXPECT_NE(line->Format.Bold, tk::kFalse16) << heading;
      EXPECT_EQ(line->Format.Size, 11) << heading;
      EXPECT_EQ(line->Color, kNavy) << heading;
    }
    for (const char* plain : {"Korvane2", "Tickerell", "The Korvane#2 team"}) {
      const tickerell::BufferLine* line = FindLine(s, plain);
      ASSERT_NE(line, nullptr) << plain;
      EXPECT_EQ(line->Format.Bold, tk::kFalse16) << plain;
      EXPECT_EQ(line->Color, kRed) << plain << ": the window's ForeColor";
    }
    for (int i = 1; i <= s.LineCount; ++i)
      EXPECT_EQ(s.LineBuffer[i].Text.find("note"), std::string::npos) << "a note line is shown";
  });
}

TEST_F(AboutWindowTest, AScriptInTheCurrentFolderComesFirst) {
  std::ofstream("script") << "Only these credits\n";
  ChooseAbout([&] {
    const tickerell::TickerellState& s = ControlState(credits);
    ASSERT_GE(s.LineCount, 1);
    EXPECT_EQ(s.LineBuffer[1].Text, "Only these credits");
    EXPECT_EQ(s.LineBuffer[1].Color, kRed);
    for (int i = 2; i <= s.LineCount; ++i) EXPECT_EQ(s.LineBuffer[i].Text, "");
  });
  fs::remove("script");
}

// A copy of the control's module in a folder of its own, registered for this test's user:
// without a script beside it, the control shows the word script, in red.
TEST_F(AboutWindowTest, WithoutAnyScriptTheWordScriptScrolls) {
  const fs::path folder = fs::current_path() / "lonely-module";
  const fs::path copy = folder / "tickctl.so";
  ASSERT_TRUE(RegisterModuleCopy(copy.string()));

  ChooseAbout([&] {
    const tickerell::TickerellState& s = ControlState(credits);
    ASSERT_EQ(s.LineCount, 1);
    EXPECT_EQ(s.LineBuffer[1].Text, "script");
    EXPECT_EQ(s.LineBuffer[1].Color, kRed);
    ASSERT_TRUE(PumpUntil([&] { return CurrentYpos() == 100; }));
    const QImage shown = Shown();
    // Small text: its strokes are red over the texture, most of them blended with it.
    const QImage board =
        tk::ToQImage(*main.Image1->Picture()).convertToFormat(QImage::Format_RGB32);
    int reddish = 0, changed_elsewhere = 0;
    for (int y = 0; y < shown.height(); ++y) {
      for (int x = 0; x < shown.width(); ++x) {
        const QRgb px = shown.pixel(x, y);
        if (px == board.pixel(x, y)) continue;
        if (y < 100 || y > 130) ++changed_elsewhere;
        reddish += qRed(px) - std::max(qGreen(px), qBlue(px)) > 100;
      }
    }
    EXPECT_GT(reddish, 20);
    EXPECT_EQ(changed_elsewhere, 0) << "one line at the start-up position";
  });
  com::CoFreeUnusedLibraries();
  fs::remove_all(folder);
}

}  // namespace
}  // namespace about_test
