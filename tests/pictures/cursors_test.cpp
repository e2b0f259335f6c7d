#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "picture_stats.h"
#include "pictures.h"
#include "toolbox_bitmap.h"

namespace {

using picture_stats::Alpha;
using picture_stats::At;

constexpr std::uint32_t kBlack = 0xFF000000, kWhite = 0xFFFFFFFF, kBlue = 0xFF0000FF;

struct CursorCase {
  const char* name;
  korvane::CursorPicture cursor;
  int hot_x, hot_y;
};

std::vector<CursorCase> Cursors() {
  return {{"pointing hand", korvane::PointingHandCursor(), 12, 1},
          {"open hand", korvane::OpenHandCursor(), 16, 14}};
}

bool Opaque(const tk::Picture& p, int x, int y) {
  return x >= 0 && y >= 0 && x < p.width() && y < p.height() && Alpha(At(p, x, y)) == 255;
}

TEST(HandCursors, SixteenColourMaskAndHotSpots) {
  const auto& palette = tickerell::StandardPalette16();
  for (const CursorCase& c : Cursors()) {
    SCOPED_TRACE(c.name);
    const tk::Picture& p = *c.cursor.picture;
    ASSERT_EQ(p.width(), 32);
    ASSERT_EQ(p.height(), 32);
    EXPECT_EQ(c.cursor.hot_x, c.hot_x);
    EXPECT_EQ(c.cursor.hot_y, c.hot_y);
    std::set<std::uint32_t> colours;
    for (std::uint32_t px : p.argb()) {
      ASSERT_TRUE(Alpha(px) == 0 || Alpha(px) == 255) << std::hex << px;
      if (Alpha(px) == 0) continue;
      colours.insert(px);
      EXPECT_NE(std::find(palette.begin(), palette.end(), px & 0xFFFFFF), palette.end())
          << std::hex << px << " is not a standard colour";
    }
    EXPECT_LE(colours.size(), 16u);
  }
}

TEST(HandCursors, WhiteHandAndBlueCuffInsideABlackOutline) {
  for (const CursorCase& c : Cursors()) {
    SCOPED_TRACE(c.name);
    const tk::Picture& p = *c.cursor.picture;
    int lowest_white = -1, highest_blue = 32, opaque = 0;
    for (int y = 0; y < 32; ++y) {
      for (int x = 0; x < 32; ++x) {
        const std::uint32_t px = At(p, x, y);
        if (Alpha(px) == 0) continue;
        ++opaque;
        EXPECT_TRUE(x > 0 && y > 0 && x < 31 && y < 31) << "the border stays transparent";
        if (px == kWhite) lowest_white = y;
        if (px == kBlue) highest_blue = std::min(highest_blue, y);
        if (px == kBlack) continue;
        // Skin and cuff never touch the transparent ground: the outline closes round them.
        for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
          EXPECT_TRUE(Opaque(p, x + dx, y + dy)) << x << "," << y;
        }
      }
    }
    EXPECT_GT(opaque, 250) << "a hand, not a speck";
    EXPECT_LT(opaque, 700) << "with transparency around it";
    EXPECT_LT(lowest_white, highest_blue) << "the cuff lies below the hand";
  }
}

// Number of separate runs of white pixels in a row: one per finger crossing the row.
int WhiteRuns(const tk::Picture& p, int y) {
  int runs = 0;
  for (int x = 0; x < p.width(); ++x) {
    runs += At(p, x, y) == kWhite && (x == 0 || At(p, x - 1, y) != kWhite);
  }
  return runs;
}

TEST(PointingHand, HotSpotIsTheTipOfTheOneRaisedFinger) {
  const tk::Picture& p = *korvane::PointingHandCursor().picture;
  EXPECT_TRUE(Opaque(p, 12, 1));
  for (int x = 0; x < 32; ++x) EXPECT_FALSE(Opaque(p, x, 0)) << "nothing above the tip";
  EXPECT_EQ(At(p, 12, 2), kWhite) << "the finger lies just below the tip";
  for (int y = 2; y <= 7; ++y) EXPECT_EQ(WhiteRuns(p, y), 1) << "row " << y;
}

TEST(OpenHand, HotSpotIsInsideThePalmBelowFourFingers) {
  const tk::Picture& p = *korvane::OpenHandCursor().picture;
  ASSERT_EQ(At(p, 16, 14), kWhite);
  // Walking out of the hot spot in any direction meets the outline before the ground.
  for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
    int x = 16, y = 14;
    while (Opaque(p, x, y) && At(p, x, y) != kBlack) x += dx, y += dy;
    EXPECT_TRUE(Opaque(p, x, y)) << "direction " << dx << "," << dy;
  }
  EXPECT_EQ(WhiteRuns(p, 8), 4) << "four fingers up";
  EXPECT_EQ(WhiteRuns(p, 14), 2) << "thumb beside the palm";
}

}  // namespace
